// Camera pose from four correspondences: synthetic cameras with a known pose, the argument checks,
// and corners of real chessboard photographs against the poses a full calibration found.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <opencv2/calib3d.hpp>
#include <opencv2/core.hpp>
#if __has_include(<opencv2/imgcodecs.hpp>)
#include <opencv2/imgcodecs.hpp>
#define RYN_TEST_READS_PHOTOGRAPHS 1
#endif
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

// The OpenCV sample photographs of a 9 x 6 chessboard with 25 mm squares (left01.jpg ..
// left04.jpg), the first four views of a calibration whose intrinsics and per-view poses come
// with them (left_intrinsics.yml).
constexpr double kSquareSize = 0.025;
constexpr double kCalibratedFocalLength = 535.915734;

// The board's four outer corners on the board plane, in the order first, end of the first row,
// last, start of the last row.
Points3 OuterBoardCorners(double squareSize) {
  const float w = static_cast<float>(8 * squareSize), h = static_cast<float>(5 * squareSize);
  return {0.0f, 0.0f, 0.0f, w, 0.0f, 0.0f, w, h, 0.0f, 0.0f, h, 0.0f};
}

// Four corners against 54 over 13 views: within a degree and a centimetre at 30-40 cm.
void ExpectCalibratedPose(const Points2& image, double fx, double fy, double squareSize,
                          const double (&calibrated)[6]) {
  const Result r = Solve(OuterBoardCorners(squareSize), image, static_cast<float>(fx), static_cast<float>(fy));
  ASSERT_TRUE(r.solved);
  const Pose pose = PoseOf({calibrated[0], calibrated[1], calibrated[2]}, {calibrated[3], calibrated[4], calibrated[5]});
  EXPECT_LT(RotationAngleBetween(r.rotation, pose.rotation), 1.0 * CV_PI / 180.0);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(r.translation[i], pose.translation[i], 0.01) << i;
}

TEST(ExtrinsicCamera, RealChessboardCornersGiveTheCalibratedPoses) {
  // The outer corners of the four photographs, found to a tenth of a pixel, freed of lens
  // distortion and made relative to the principal point; each view's calibrated pose (rotation
  // vector, translation in metres).
  struct View {
    Points2 corners;
    double pose[6];
  };
  const View views[] = {
      {{-100.9100f, -145.9488f, 181.3977f, -157.8331f, 173.0872f, 31.4348f, -94.1360f, 18.1420f},
       {0.168667, 0.275672, 0.013464, -0.075218, -0.108959, 0.399702}},
      {{-87.7523f, 129.5483f, -93.9945f, -163.0375f, 208.6847f, -108.2834f, 96.4469f, 173.0487f},
       {0.413313, 0.649890, -1.337154, -0.058572, 0.082926, 0.353810}},
      {{-67.2090f, -168.8553f, 283.4835f, -73.2251f, 216.9954f, 165.9753f, -158.7245f, 22.3016f},
       {-0.277037, 0.186933, 0.354852, -0.039847, -0.100416, 0.318159}},
      {{-159.3582f, -108.9379f, 180.9417f, -132.9252f, 187.8349f, 106.9845f, -168.6621f, 95.7755f},
       {-0.110906, 0.239660, -0.002114, -0.098411, -0.067330, 0.330852}},
  };
  for (const View& view : views) {
    ExpectCalibratedPose(view.corners, kCalibratedFocalLength, kCalibratedFocalLength, kSquareSize, view.pose);
  }
}

#ifdef RYN_TEST_READS_PHOTOGRAPHS
// The same from the photographs themselves, when scripts/fetch_chessboards has put them in the
// cache.
std::filesystem::path SampleDirectory() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  if (cache && *cache) return std::filesystem::path(cache) / "ryn" / "chessboard";
  return std::filesystem::path(home ? home : "") / ".cache" / "ryn" / "chessboard";
}

TEST(ExtrinsicCamera, CornersFoundInTheChessboardPhotographsGiveTheCalibratedPoses) {
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
    const double cx = camera.at<double>(0, 2), cy = camera.at<double>(1, 2);
    const int outer[4] = {0, board.width - 1, board.width * board.height - 1, board.width * (board.height - 1)};
    Points2 image{};
    for (int i = 0; i < 4; ++i) {
      image[2 * i] = static_cast<float>(ideal[outer[i]].x - cx);
      image[2 * i + 1] = static_cast<float>(ideal[outer[i]].y - cy);
    }
    double pose[6];
    for (int i = 0; i < 6; ++i) pose[i] = extrinsics.at<double>(view, i);
    ExpectCalibratedPose(image, camera.at<double>(0, 0), camera.at<double>(1, 1), squareSize, pose);
  }
}
#endif  // RYN_TEST_READS_PHOTOGRAPHS

}  // namespace
}  // namespace ryn::test
