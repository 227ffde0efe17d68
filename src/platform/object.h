#pragma once
// The framework's root object class: the common base of the system's data and settings objects.

class CObject {
  public:
    virtual ~CObject() = default;

  protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
