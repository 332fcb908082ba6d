// Process-wide objects that the exit-time handling lets go of.
#pragma once

#include <cstdint>

namespace VLib {

class IGlobalObjectAbstractInterface {
 public:
  // References held to the object, the process-wide one included.
  virtual uint32_t GlobalReferenceCount() const = 0;

 protected:
  ~IGlobalObjectAbstractInterface() = default;
};

class IGlobalObjectInterface : public IGlobalObjectAbstractInterface {
 public:
  // Gives up the process-wide reference; returns the count left.
  virtual uint32_t ReleaseGlobalReference() = 0;

 protected:
  ~IGlobalObjectInterface() = default;
};

}  // namespace VLib
