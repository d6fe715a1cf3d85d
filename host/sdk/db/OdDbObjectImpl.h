// Gives a concrete object class its copy operations: clone makes a copy of the same class,
// assign copies the fields of an object of the same class. Each class derives through this
// template once: class OdDbLine : public OdDbObjectImpl<OdDbLine, OdDbEntity>.
#pragma once

#include "OdDbObject.h"

#include <memory>

template <class Derived, class Base>
class OdDbObjectImpl : public Base {
public:
    using Base::Base;

    std::unique_ptr<OdDbObject> clone() const override
    {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
    void assign(const OdDbObject& other) override
    {
        static_cast<Derived&>(*this) = static_cast<const Derived&>(other);
    }
};
