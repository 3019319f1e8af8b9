#include "component/ClassFactory.h"

#include "component/ServerLifetime.h"
#include "support/AccountingObject.h"
#include "wizard/CreatLedgerWiz.h"

#include <QApplication>
#include <QThread>

#include <memory>

namespace kx::component {

KxResult ClassFactory::QueryInterface(const Guid& iid, void** object) noexcept {
    if (object == nullptr)
        return KX_E_POINTER;
    *object = nullptr;
    if (!(iid == KX_IID_IUnknown || iid == KX_IID_IClassFactory))
        return KX_E_NOINTERFACE;
    AddRef();
    *object = static_cast<IClassFactory*>(this);
    return KX_S_OK;
}

std::uint32_t ClassFactory::AddRef() noexcept {
    return lifetime_.AddFactoryReference();
}

std::uint32_t ClassFactory::Release() noexcept {
    return lifetime_.ReleaseFactoryReference();
}

KxResult ClassFactory::CreateInstance(QWidget* parent, const Guid& iid, void** object) noexcept {
    if (object == nullptr)
        return KX_E_POINTER;
    *object = nullptr;
    if (!(iid == KX_IID_CreatLedgerWiz || iid == KX_IID_IUnknown))
        return KX_E_NOINTERFACE;
    // Widgets abort the process outside a QApplication or off its thread; a host
    // mistake should come back as a failure instead.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr ||
        QThread::currentThread() != QCoreApplication::instance()->thread() ||
        (parent != nullptr && parent->thread() != QThread::currentThread()))
        return KX_E_FAIL;

    try {
        auto control = std::make_unique<wizard::CreatLedgerWiz>(parent);
        // A host without the support library cannot make an accounting object;
        // the control starts with one of its own, which a host that has one
        // replaces through "Acc".
        control->Acc = std::make_shared<support::AccountingObject>();
        ServerLifetime& lifetime = lifetime_;
        QObject::connect(control.get(), &QObject::destroyed, [&lifetime] { lifetime.ControlDestroyed(); });
        lifetime_.ControlCreated();
        *object = static_cast<void*>(control.release());
        return KX_S_OK;
    } catch (...) {
        return KX_E_FAIL;
    }
}

KxResult ClassFactory::LockServer(bool lock) noexcept {
    if (lock) {
        lifetime_.Lock();
        return KX_S_OK;
    }
    return lifetime_.Unlock() ? KX_S_OK : KX_E_FAIL;
}

} // namespace kx::component
