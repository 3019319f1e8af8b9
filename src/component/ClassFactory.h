#pragma once

#include "component/kxLedgerWizComponent.h"

namespace kx::component {

class ServerLifetime;

/// The class object of the control CreatLedgerWiz. There is one per library; its
/// references and the controls it makes are counted in `lifetime`.
class ClassFactory final : public IClassFactory {
  public:
    explicit ClassFactory(ServerLifetime& lifetime) noexcept : lifetime_(lifetime) {}

    KxResult QueryInterface(const Guid& iid, void** object) noexcept override;
    std::uint32_t AddRef() noexcept override;
    std::uint32_t Release() noexcept override;
    KxResult CreateInstance(QWidget* parent, const Guid& iid, void** object) noexcept override;
    KxResult LockServer(bool lock) noexcept override;

  private:
    ServerLifetime& lifetime_;
};

} // namespace kx::component
