// Camera pose from four correspondences: synthetic cameras with a known pose, the argument checks,
// and (when the sample images are in the cache) corners of real chessboard photographs against
// the poses a full calibration found.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <string>
#include <vector>

#include "RynRAZUdidazoror.h"

namespace ryn::test {
namespace {

using Points3 = std::array<float, 12>;
using Points2 = std::array<float, 8>;
using Matrix3 = std::array<float, 9>;
using Vector3 = std::array<float, 3>;

constexpr float kSentinel = -777.0f;

struct Pose {
  cv::Matx33d rotation;
  cv::Vec3d translation;
};

Pose PoseOf(cv::Vec3d rotationVector, cv::Vec3d translation) {
  Pose pose;
  cv::Rodrigues(rotationVector, pose.rotation);
  pose.translation = translation;
  return pose;
}

// Image points relative to the principal point, as the camera sees `objects`.
Points2 Project(const Points3& objects, const Pose& pose, double fx, double fy) {
  Points2 image{};
  for (int i = 0; i < 4; ++i) {
    const cv::Vec3d world(objects[3 * i], objects[3 * i + 1], objects[3 * i + 2]);
    const cv::Vec3d camera = pose.rotation * world + pose.translation;
    image[2 * i] = static_cast<float>(fx * camera[0] / camera[2]);
    image[2 * i + 1] = static_cast<float>(fy * camera[1] / camera[2]);
  }
  return image;
}

struct Result {
  bool solved = false;
  Matrix3 rotation;
  Vector3 translation;
  Result() {
    rotation.fill(kSentinel);
    translation.fill(kSentinel);
  }
  bool Untouched() const {
    for (float v : rotation)
      if (v != kSentinel) return false;
    for (float v : translation)
      if (v != kSentinel) return false;
    return true;
  }
};

Result Solve(const Points3& objects, const Points2& image, float fx, float fy, int count = 4) {
  Result r;
  r.solved = fnVCAOCV_GetExtrinsicCameraParameter(objects.data(), image.data(), &fx, &fy, r.rotation.data(),
                                                  r.translation.data(), count);
  return r;
}

double RotationAngleBetween(const Matrix3& got, const cv::Matx33d& expected) {
  cv::Matx33d r;
  for (int i = 0; i < 9; ++i) r.val[i] = got[i];
  const cv::Matx33d difference = r * expected.t();
  const double cosine = std::clamp((cv::trace(difference) - 1.0) / 2.0, -1.0, 1.0);
  return std::acos(cosine);
}

// A 0.4 x 0.3 rectangle on the world's z = 0 plane.
const Points3 kPlanarRectangle = {0.0f, 0.0f, 0.0f, 0.4f, 0.0f, 0.0f, 0.4f, 0.3f, 0.0f, 0.0f, 0.3f, 0.0f};
const Pose kTiltedCamera = PoseOf({0.3, -0.2, 0.1}, {-0.1, 0.05, 2.0});
constexpr float kFx = 800.0f;
constexpr float kFy = 760.0f;

TEST(ExtrinsicCamera, RecoversTheRotationAndTranslationOfASyntheticCamera) {
  const Result r = Solve(kPlanarRectangle, Project(kPlanarRectangle, kTiltedCamera, kFx, kFy), kFx, kFy);
  ASSERT_TRUE(r.solved);
  EXPECT_LT(RotationAngleBetween(r.rotation, kTiltedCamera.rotation), 1e-4);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(r.translation[i], kTiltedCamera.translation[i], 1e-4) << i;
  // The world origin lies 2 units along the optical axis.
  EXPECT_NEAR(r.translation[2], 2.0f, 1e-4);
}

TEST(ExtrinsicCamera, RotationIsOrthonormal) {
  const Pose looking = PoseOf({-0.6, 0.4, 1.2}, {0.2, -0.3, 5.0});
  const Result r = Solve(kPlanarRectangle, Project(kPlanarRectangle, looking, 1200.0, 1200.0), 1200.0f, 1200.0f);
  ASSERT_TRUE(r.solved);
  cv::Matx33d m;
  for (int i = 0; i < 9; ++i) m.val[i] = r.rotation[i];
  const cv::Matx33d product = m * m.t();
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(product(i, j), i == j ? 1.0 : 0.0, 1e-5);
  EXPECT_NEAR(cv::determinant(m), 1.0, 1e-5);
}

TEST(ExtrinsicCamera, AbsolutePixelCoordinatesGiveAWrongPose) {
  // The camera matrix puts the principal point at (0, 0): coordinates not made relative to it
  // describe another camera.
  Points2 absolute = Project(kPlanarRectangle, kTiltedCamera, kFx, kFy);
  for (int i = 0; i < 4; ++i) {
    absolute[2 * i] += 320.0f;
    absolute[2 * i + 1] += 240.0f;
  }
  const Result r = Solve(kPlanarRectangle, absolute, kFx, kFy);
  if (!r.solved) return;
  const double error = std::hypot(r.translation[0] - kTiltedCamera.translation[0],
                                  r.translation[1] - kTiltedCamera.translation[1]);
  EXPECT_GT(error, 0.5);
}

TEST(ExtrinsicCamera, OnlyFourPointsAreAccepted) {
  const Points2 image = Project(kPlanarRectangle, kTiltedCamera, kFx, kFy);
  for (int count : {3, 5, 0, -4}) {
    const Result r = Solve(kPlanarRectangle, image, kFx, kFy, count);
    EXPECT_FALSE(r.solved) << count;
    EXPECT_TRUE(r.Untouched()) << count;
  }
}

TEST(ExtrinsicCamera, NullPointersReturnFalseAndWriteNothing) {
  const Points2 image = Project(kPlanarRectangle, kTiltedCamera, kFx, kFy);
  const float fx = kFx, fy = kFy;
  Result r;
  const float* objects = kPlanarRectangle.data();
  EXPECT_FALSE(fnVCAOCV_GetExtrinsicCameraParameter(nullptr, image.data(), &fx, &fy, r.rotation.data(),
                                                    r.translation.data(), 4));
  EXPECT_FALSE(fnVCAOCV_GetExtrinsicCameraParameter(objects, nullptr, &fx, &fy, r.rotation.data(),
                                                    r.translation.data(), 4));
  EXPECT_FALSE(fnVCAOCV_GetExtrinsicCameraParameter(objects, image.data(), nullptr, &fy, r.rotation.data(),
                                                    r.translation.data(), 4));
  EXPECT_FALSE(fnVCAOCV_GetExtrinsicCameraParameter(objects, image.data(), &fx, nullptr, r.rotation.data(),
                                                    r.translation.data(), 4));
  EXPECT_FALSE(
      fnVCAOCV_GetExtrinsicCameraParameter(objects, image.data(), &fx, &fy, nullptr, r.translation.data(), 4));
  EXPECT_FALSE(fnVCAOCV_GetExtrinsicCameraParameter(objects, image.data(), &fx, &fy, r.rotation.data(), nullptr, 4));
  EXPECT_TRUE(r.Untouched());
}

TEST(ExtrinsicCamera, AllZeroCoordinatesAreRefused) {
  const Points2 image = Project(kPlanarRectangle, kTiltedCamera, kFx, kFy);
  Result r = Solve(Points3{}, image, kFx, kFy);
  EXPECT_FALSE(r.solved);
  EXPECT_TRUE(r.Untouched());
  r = Solve(kPlanarRectangle, Points2{}, kFx, kFy);
  EXPECT_FALSE(r.solved);
  EXPECT_TRUE(r.Untouched());
}

TEST(ExtrinsicCamera, CoincidentReferencePointsAreRefused) {
  // 0.003 apart: a squared distance of 9e-6, below 1e-5.
  Points3 objects = kPlanarRectangle;
  objects[9] = objects[6] - 0.003f;
  objects[10] = objects[7];
  const Result r = Solve(objects, Project(objects, kTiltedCamera, kFx, kFy), kFx, kFy);
  EXPECT_FALSE(r.solved);
  EXPECT_TRUE(r.Untouched());

  // 0.0032 apart passes the check and reaches the solver, which writes the translation.
  objects[9] = objects[6] - 0.0032f;
  const Result near = Solve(objects, Project(objects, kTiltedCamera, kFx, kFy), kFx, kFy);
  EXPECT_NE(near.translation[2], kSentinel);
}

TEST(ExtrinsicCamera, SolverErrorsBecomeFalse) {
  // Four points off one plane are too few for the iterative solver's initialisation: OpenCV
  // raises an error, which must not leave the library.
  const Points3 tetrahedron = {0, 0, 0, 0.4f, 0, 0, 0, 0.3f, 0, 0, 0, 0.5f};
  const Result r = Solve(tetrahedron, Project(tetrahedron, kTiltedCamera, kFx, kFy), kFx, kFy);
  EXPECT_FALSE(r.solved);
  for (float v : r.rotation) EXPECT_EQ(v, kSentinel);

  // Non-finite coordinates: false or a pose, never an exception.
  Points2 image = Project(kPlanarRectangle, kTiltedCamera, kFx, kFy);
  image[3] = std::nanf("");
  Solve(kPlanarRectangle, image, kFx, kFy);
}

// The OpenCV sample photographs of a 9 x 6 chessboard with 25 mm squares, and the intrinsics and
// per-image poses of their calibration, extracted by scripts/fetch_chessboards.
std::filesystem::path SampleDirectory() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  if (cache && *cache) return std::filesystem::path(cache) / "ryn" / "chessboard";
  return std::filesystem::path(home ? home : "") / ".cache" / "ryn" / "chessboard";
}

TEST(ExtrinsicCamera, RealChessboardCornersMatchTheCalibratedPoses) {
  const std::filesystem::path directory = SampleDirectory();
  const std::filesystem::path intrinsicsFile = directory / "left_intrinsics.yml";
  if (!std::filesystem::exists(intrinsicsFile)) {
    GTEST_SKIP() << "no sample chessboards in " << directory << " (scripts/fetch_chessboards)";
  }
  cv::FileStorage intrinsics(intrinsicsFile.string(), cv::FileStorage::READ);
  cv::Mat camera, distortion, extrinsics;
  intrinsics["camera_matrix"] >> camera;
  intrinsics["distortion_coefficients"] >> distortion;
  intrinsics["extrinsic_parameters"] >> extrinsics;
  const double squareSize = static_cast<double>(intrinsics["square_size"]);
  const cv::Size board(9, 6);

  // left01 .. left04 are the first four views of the calibration.
  for (int view = 0; view < 4; ++view) {
    const std::string name = "left0" + std::to_string(view + 1) + ".jpg";
    SCOPED_TRACE(name);
    const cv::Mat photo = cv::imread((directory / name).string(), cv::IMREAD_GRAYSCALE);
    ASSERT_FALSE(photo.empty());
    std::vector<cv::Point2f> corners;
    ASSERT_TRUE(cv::findChessboardCorners(photo, board, corners));
    cv::cornerSubPix(photo, corners, cv::Size(11, 11), cv::Size(-1, -1),
                     cv::TermCriteria(cv::TermCriteria::EPS + cv::TermCriteria::COUNT, 30, 0.01));
    // Without lens distortion, relative to the principal point, in pixels.
    std::vector<cv::Point2f> ideal;
    cv::undistortPoints(corners, ideal, camera, distortion, cv::noArray(), camera);
    const double fx = camera.at<double>(0, 0), fy = camera.at<double>(1, 1);
    const double cx = camera.at<double>(0, 2), cy = camera.at<double>(1, 2);

    // The board's four outer corners.
    const int outer[4] = {0, board.width - 1, board.width * board.height - 1, board.width * (board.height - 1)};
    Points3 objects{};
    Points2 image{};
    for (int i = 0; i < 4; ++i) {
      const int k = outer[i];
      objects[3 * i] = static_cast<float>((k % board.width) * squareSize);
      objects[3 * i + 1] = static_cast<float>((k / board.width) * squareSize);
      image[2 * i] = static_cast<float>(ideal[k].x - cx);
      image[2 * i + 1] = static_cast<float>(ideal[k].y - cy);
    }
    const Result r = Solve(objects, image, static_cast<float>(fx), static_cast<float>(fy));
    ASSERT_TRUE(r.solved);

    const cv::Mat row = extrinsics.row(view);
    const Pose calibrated = PoseOf({row.at<double>(0), row.at<double>(1), row.at<double>(2)},
                                   {row.at<double>(3), row.at<double>(4), row.at<double>(5)});
    // Four corners against 54 over 13 views: within a degree and a centimetre at 30-40 cm.
    EXPECT_LT(RotationAngleBetween(r.rotation, calibrated.rotation), 1.0 * CV_PI / 180.0);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(r.translation[i], calibrated.translation[i], 0.01) << i;
  }
}

}  // namespace
}  // namespace ryn::test
