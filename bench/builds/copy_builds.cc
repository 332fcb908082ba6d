// The copies and conversions under each build.
#include "RynRAZUdidazoror.h"
#include "build_timing.h"

namespace ryn::bench {
namespace {

// `call(source, sourceStep, destination, destinationStep, region)` from a frame of S pixels in
// low..high to a frame of D pixels, rows without padding.
template <class S, class D, class Call>
void Pixels(const std::string& operation, S low, S high, Call call) {
  EachBuild(operation, [low, high, call](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<S>(s, 1, low, high);
    OffsetBuffer destination = BufferAt(size_t(s.width) * s.height * sizeof(D), 0);
    return [source, destination, s, call] {
      call(reinterpret_cast<const S*>(source.data), int(s.width * sizeof(S)), reinterpret_cast<D*>(destination.data),
           int(s.width * sizeof(D)), Roi(s));
    };
  });
}

// As Pixels for the masked copies, with the centre-quarter mask.
template <class T, class Call>
void Masked(const std::string& operation, Call call) {
  EachBuild(operation, [call](FrameSize s) -> std::function<void()> {
    OffsetBuffer source = RandomPixels<T>(s, 1, T(0), T(255)), mask = CentreMask(s);
    OffsetBuffer destination = BufferAt(size_t(s.width) * s.height * sizeof(T), 0);
    return [source, destination, mask, s, call] {
      call(reinterpret_cast<const T*>(source.data), int(s.width * sizeof(T)), reinterpret_cast<T*>(destination.data),
           int(s.width * sizeof(T)), mask.data, s.width, Roi(s));
    };
  });
}

void RegisterCopies() {
  Pixels<uint8_t, uint8_t>("Copy_8u_C1R", 0, 255, fnVCAIPP_Copy_8u_C1R);
  Pixels<int16_t, int16_t>("Copy_16s_C1R", -999, 999, fnVCAIPP_Copy_16s_C1R);
  Pixels<float, float>("Copy_32f_C1R", 0.0f, 1.0f, fnVCAIPP_Copy_32f_C1R);
  Masked<uint8_t>("Copy_8u_C1MR", fnVCAIPP_Copy_8u_C1MR);
  Masked<float>("Copy_32f_C1MR", fnVCAIPP_Copy_32f_C1MR);
  Pixels<uint8_t, float>("Convert_8u32f_C1R", 0, 255, fnVCAIPP_Convert_8u32f_C1R);
  Pixels<uint16_t, float>("Convert_16u32f_C1R", 0, 65535, fnVCAIPP_Convert_16u32f_C1R);
  Pixels<uint8_t, uint16_t>("Convert_8u16u_C1R", 0, 255, fnVCAIPP_Convert_8u16u_C1R);
  Pixels<int16_t, uint8_t>("Convert_16s8u_C1R", -300, 600, fnVCAIPP_Convert_16s8u_C1R);
  Pixels<float, uint8_t>("Convert_32f8u_C1R", -20.0f, 280.0f, fnVCAIPP_Convert_32f8u_C1R);
}

const Registration kRegistration(RegisterCopies);

}  // namespace
}  // namespace ryn::bench
