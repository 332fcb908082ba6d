// Variant selection and the start-up line of the library.
#pragma once

namespace ryn {

// Selects the variant and writes one INFO line to the console target, naming the version and
// whether the processor has AVX and AES.
void InitIpp();

}  // namespace ryn
