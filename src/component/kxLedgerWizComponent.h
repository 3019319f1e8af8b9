/* Public interface of the component library libkxLedgerWiz.so: the four entry
 * points through which hosts register the library and create its control
 * `CreatLedgerWiz`, the identifiers of the control, and (for C++ hosts) the class
 * factory interface.
 *
 * The part above the C++ section is plain C, so that a host in any language with a
 * C foreign-function interface can register the library and query its class
 * object.
 *
 * While it is loaded, the library shows the message boxes of its controls itself
 * (a failed conversion into a server database): as Qt message boxes over the
 * active window while a QApplication runs, on standard error otherwise. Notices
 * to the host name a control by its number (CreatLedgerWiz::WindowNumber), not
 * by a window system handle. */
#ifndef KX_LEDGERWIZ_COMPONENT_H
#define KX_LEDGERWIZ_COMPONENT_H

#ifdef __cplusplus
#include <cstdint>
#else
#include <stdint.h>
#endif

#ifdef __cplusplus
#define KX_COMPONENT_I32(bits) static_cast<int32_t>(bits)
#define KX_COMPONENT_EXTERN_C extern "C"
#else
#define KX_COMPONENT_I32(bits) ((int32_t)(bits))
#define KX_COMPONENT_EXTERN_C
#endif

#define KX_COMPONENT_EXPORT KX_COMPONENT_EXTERN_C __attribute__((visibility("default")))
/* The identifiers below are constants of every file that includes this header;
 * most files use only a few of them. */
#define KX_COMPONENT_UNUSED __attribute__((unused))

/** Result of an entry point or interface member: 0 or 1 for success, a value with
 *  the top bit set for a failure. */
typedef int32_t KxResult;

/** Success. */
#define KX_S_OK KX_COMPONENT_I32(0)
/** Success with a "no" answer (DllCanUnloadNow: the library is still in use). */
#define KX_S_FALSE KX_COMPONENT_I32(1)
/** Unspecified failure. */
#define KX_E_FAIL KX_COMPONENT_I32(0x80004005u)
/** A required pointer argument was null. */
#define KX_E_POINTER KX_COMPONENT_I32(0x80004003u)
/** The object does not offer the interface asked for. */
#define KX_E_NOINTERFACE KX_COMPONENT_I32(0x80004002u)
/** The library does not serve the class asked for. */
#define KX_CLASS_E_CLASSNOTAVAILABLE KX_COMPONENT_I32(0x80040111u)
/** The class registry could not be read or written. */
#define KX_SELFREG_E_CLASS KX_COMPONENT_I32(0x80040201u)

/** True for KX_S_OK, KX_S_FALSE and every other non-failure result. */
#define KX_SUCCEEDED(result) ((result) >= 0)

/** A 128-bit class or interface identifier, laid out like the classic GUID. */
typedef struct KxGuid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
} KxGuid;

/** Class id of the control CreatLedgerWiz: {A5F7AAB1-30BE-447E-A0BF-25132C292A4E}. */
static const KxGuid KX_COMPONENT_UNUSED KX_CLSID_CreatLedgerWiz = {
    0xA5F7AAB1u, 0x30BEu, 0x447Eu, {0xA0u, 0xBFu, 0x25u, 0x13u, 0x2Cu, 0x29u, 0x2Au, 0x4Eu}};

/** The control's own interface (its properties and methods): a
 *  `kx::wizard::CreatLedgerWiz*`. {6B1DE38A-A160-400D-B9B9-F36C53EA6DDE} */
static const KxGuid KX_COMPONENT_UNUSED KX_IID_CreatLedgerWiz = {
    0x6B1DE38Au, 0xA160u, 0x400Du, {0xB9u, 0xB9u, 0xF3u, 0x6Cu, 0x53u, 0xEAu, 0x6Du, 0xDEu}};

/** The control's events, as named in its interface description.
 *  {4F90E79A-E96A-4EFA-8809-38F17C94F9E1} */
static const KxGuid KX_COMPONENT_UNUSED KX_IID_CreatLedgerWizEvents = {
    0x4F90E79Au, 0xE96Au, 0x4EFAu, {0x88u, 0x09u, 0x38u, 0xF1u, 0x7Cu, 0x94u, 0xF9u, 0xE1u}};

/** The interface every object offers. {00000000-0000-0000-C000-000000000046} */
static const KxGuid KX_COMPONENT_UNUSED KX_IID_IUnknown = {
    0x00000000u, 0x0000u, 0x0000u, {0xC0u, 0x00u, 0x00u, 0x00u, 0x00u, 0x00u, 0x00u, 0x46u}};

/** The class factory interface. {00000001-0000-0000-C000-000000000046} */
static const KxGuid KX_COMPONENT_UNUSED KX_IID_IClassFactory = {
    0x00000001u, 0x0000u, 0x0000u, {0xC0u, 0x00u, 0x00u, 0x00u, 0x00u, 0x00u, 0x00u, 0x46u}};

/** Program id under which the control is registered. */
#define KX_PROGID_CreatLedgerWiz "kxLedgerWiz.CreatLedgerWiz"

/** File name of the interface description installed beside the library. */
#define KX_LEDGERWIZ_DESCRIPTION_FILE "kxLedgerWiz.idl"

/** Environment variable naming the class registry file; when it is unset or empty
 *  the registry is $XDG_CONFIG_HOME/kxLedgerWiz/registry.ini (~/.config/... when
 *  XDG_CONFIG_HOME is unset). */
#define KX_COMPONENT_REGISTRY_VARIABLE "KX_COMPONENT_REGISTRY"

/** Enters the control's class id, program id, this library's absolute path and the
 *  interface description beside it (when present) into the class registry,
 *  replacing an earlier entry for the same class id. Other entries are kept as
 *  they are. KX_S_OK, or KX_SELFREG_E_CLASS when the registry cannot be written. */
KX_COMPONENT_EXPORT KxResult DllRegisterServer(void);

/** Removes the control's class id entry from the class registry and nothing else.
 *  KX_S_OK also when there was nothing to remove; KX_SELFREG_E_CLASS when the
 *  registry cannot be read or written. */
KX_COMPONENT_EXPORT KxResult DllUnregisterServer(void);

/** Hands out the class object (class factory) of class `clsid` as interface `iid`
 *  (KX_IID_IClassFactory or KX_IID_IUnknown; both give an IClassFactory*). The
 *  caller owns one reference and releases it with Release. `*object` is null on
 *  every failure: KX_E_POINTER for a null argument, KX_CLASS_E_CLASSNOTAVAILABLE
 *  for a class other than the control, KX_E_NOINTERFACE for another interface. */
KX_COMPONENT_EXPORT KxResult DllGetClassObject(const KxGuid* clsid, const KxGuid* iid, void** object);

/** KX_S_OK when no class factory reference, no control made by this library and no
 *  server lock is alive, so the library may be unloaded; KX_S_FALSE otherwise. */
KX_COMPONENT_EXPORT KxResult DllCanUnloadNow(void);

/** Signatures of the entry points, for hosts that look them up with dlsym. */
typedef KxResult (*KxDllRegisterServerFunction)(void);
typedef KxResult (*KxDllUnregisterServerFunction)(void);
typedef KxResult (*KxDllGetClassObjectFunction)(const KxGuid*, const KxGuid*, void**);
typedef KxResult (*KxDllCanUnloadNowFunction)(void);

#ifdef __cplusplus

class QWidget;

/// Two identifiers are equal when all 128 bits are.
inline bool operator==(const KxGuid& a, const KxGuid& b) noexcept {
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3)
        return false;
    for (int i = 0; i < 8; ++i) {
        if (a.data4[i] != b.data4[i])
            return false;
    }
    return true;
}

namespace kx::component {

using Guid = KxGuid;

/// The class object of a component class. Its lifetime is governed by reference
/// counts: every pointer handed out carries one reference, which its holder gives
/// back with Release; the object must not be used after that. Members never throw.
class IClassFactory {
  public:
    /// Offers this object as `iid` (KX_IID_IUnknown or KX_IID_IClassFactory) with a
    /// new reference; KX_E_NOINTERFACE (and `*object` null) for any other id,
    /// KX_E_POINTER for a null `object`.
    virtual KxResult QueryInterface(const Guid& iid, void** object) = 0;
    /// Adds a reference; returns the new count (for diagnostics only).
    virtual std::uint32_t AddRef() = 0;
    /// Gives a reference back; returns the new count (for diagnostics only).
    virtual std::uint32_t Release() = 0;
    /// Makes a new control as a child of `parent` and stores it in `*object` as a
    /// `kx::wizard::CreatLedgerWiz*` (for `iid` KX_IID_CreatLedgerWiz or
    /// KX_IID_IUnknown). The control belongs to `parent`, or to the caller when
    /// `parent` is null; it keeps the library in use until it is destroyed. It
    /// starts with an accounting object (`Acc`) of its own, so that a host without
    /// one can run a creation; the host's notices then go nowhere.
    /// Must be called on the thread of the running QApplication. Failures leave
    /// `*object` null: KX_E_POINTER (null `object`), KX_E_NOINTERFACE (another
    /// `iid`), KX_E_FAIL (no QApplication, a foreign thread, or the control could
    /// not be made).
    virtual KxResult CreateInstance(QWidget* parent, const Guid& iid, void** object) = 0;
    /// Locks (true) or unlocks (false) the library in memory; each lock counts
    /// until a matching unlock. An unlock without a lock is refused with KX_E_FAIL.
    virtual KxResult LockServer(bool lock) = 0;

  protected:
    IClassFactory() = default;
    IClassFactory(const IClassFactory&) = default;
    IClassFactory& operator=(const IClassFactory&) = default;
    ~IClassFactory() = default;
};

} // namespace kx::component

#endif /* __cplusplus */

#endif /* KX_LEDGERWIZ_COMPONENT_H */
