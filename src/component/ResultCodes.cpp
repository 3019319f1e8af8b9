// The public C header spells its results as macros, since C cannot use the C++
// helper; here they are held to the one C++ spelling of an HRESULT.

#include "component/kxLedgerWizComponent.h"
#include "platform/Hresult.h"

namespace kx::component {
namespace {

using platform::Hr;

static_assert(KX_S_OK == 0 && KX_S_FALSE == 1);
static_assert(KX_E_FAIL == Hr(0x80004005u));
static_assert(KX_E_POINTER == Hr(0x80004003u));
static_assert(KX_E_NOINTERFACE == Hr(0x80004002u));
static_assert(KX_CLASS_E_CLASSNOTAVAILABLE == Hr(0x80040111u));
static_assert(KX_SELFREG_E_CLASS == Hr(0x80040201u));
static_assert(!KX_SUCCEEDED(KX_E_FAIL) && KX_SUCCEEDED(KX_S_FALSE));

} // namespace
} // namespace kx::component
