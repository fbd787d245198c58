#pragma once
// What every concrete object class would otherwise write out by hand: the
// copy behind Clone and the field-by-field assignment that loading uses.
//   class FlatMirror : public ObjectOf<FlatMirror, TwoPointObject> { ... };

#include <memory>

#include "scene/DrawObjectUnit.h"

template <class Derived, class Base>
class ObjectOf : public Base {
 public:
  using Base::Base;

  std::unique_ptr<DrawObjectUnit> Clone() const override {
    return std::make_unique<Derived>(static_cast<const Derived&>(*this));
  }

 protected:
  void AssignFrom(const DrawObjectUnit& other) override {
    static_cast<Derived&>(*this) = static_cast<const Derived&>(other);
  }
};
