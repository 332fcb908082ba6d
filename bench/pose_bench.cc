// Camera pose from four correspondences against OpenCV's solver called directly with the same
// matrices: the export's checks and wrapping are the difference.
#include <array>
#include <memory>
#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>

#include "RynRAZUdidazoror.h"
#include "bench_pairs.h"

namespace ryn::bench {
namespace {

constexpr FrameSize kFourPoints{4, 1};

struct Correspondences {
  float objects[12] = {0.0f, 0.0f, 0.0f, 0.4f, 0.0f, 0.0f, 0.4f, 0.3f, 0.0f, 0.0f, 0.3f, 0.0f};
  float image[8];
  float fx = 800.0f, fy = 800.0f;
  Correspondences() {
    cv::Matx33d r;
    cv::Rodrigues(cv::Vec3d(0.3, -0.2, 0.1), r);
    const cv::Vec3d t(-0.1, 0.05, 2.0);
    for (int i = 0; i < 4; ++i) {
      const cv::Vec3d c = r * cv::Vec3d(objects[3 * i], objects[3 * i + 1], objects[3 * i + 2]) + t;
      image[2 * i] = static_cast<float>(fx * c[0] / c[2]);
      image[2 * i + 1] = static_cast<float>(fy * c[1] / c[2]);
    }
  }
};

void RegisterPose() {
  Ours("GetExtrinsicCameraParameter", kFourPoints, [](FrameSize) -> std::function<void()> {
    auto points = std::make_shared<Correspondences>();
    auto out = std::make_shared<std::array<float, 12>>();
    return [points, out] {
      benchmark::DoNotOptimize(fnVCAOCV_GetExtrinsicCameraParameter(points->objects, points->image, &points->fx,
                                                                    &points->fy, out->data(), out->data() + 9, 4));
    };
  });
  Peer("OpenCV solvePnP + Rodrigues", "GetExtrinsicCameraParameter", kFourPoints,
       [](FrameSize) -> std::function<void()> {
         cv::setNumThreads(1);
         auto points = std::make_shared<Correspondences>();
         return [points] {
           const cv::Mat objects(4, 3, CV_32F, points->objects), image(4, 2, CV_32F, points->image);
           const cv::Matx33f camera(points->fx, 0, 0, 0, points->fy, 0, 0, 0, 1);
           cv::Mat rotationVector, translation, rotation;
           const bool solved = cv::solvePnP(objects, image, camera, cv::Mat::zeros(1, 4, CV_32F), rotationVector,
                                            translation, false, cv::SOLVEPNP_ITERATIVE);
           if (solved) cv::Rodrigues(rotationVector, rotation);
           benchmark::DoNotOptimize(rotation.data);
         };
       });
}

const Registration kRegistration(RegisterPose);

}  // namespace
}  // namespace ryn::bench
