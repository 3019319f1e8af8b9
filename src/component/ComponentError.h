#pragma once

#include "component/kxLedgerWizComponent.h"

#include <stdexcept>
#include <string>

namespace kx::component {

/// A failure of the component layer, carrying the entry-point result that
/// describes it (KX_SELFREG_E_CLASS for the class registry, KX_E_FAIL for a
/// library that cannot be loaded, or whatever an entry point answered).
class ComponentError : public std::runtime_error {
  public:
    ComponentError(KxResult result, const std::string& description)
        : std::runtime_error(description), result_(result) {}
    KxResult result() const noexcept { return result_; }

  private:
    KxResult result_;
};

} // namespace kx::component
