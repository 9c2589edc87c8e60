#pragma once
// The names under which the server is found on the bus.
namespace vks::dbus {

inline constexpr const char* kServiceName = "de.tradomir.VKSKontoServerV7";
inline constexpr const char* kRootPath = "/de/tradomir/VKSKontoServerV7";
inline constexpr const char* kServerInterface = "de.tradomir.VKSKontoServerV7.Server";
inline constexpr const char* kKontoInterface = "de.tradomir.VKSKontoServerV7.clKontoSchnittstelle";
inline constexpr const char* kRegistryInterface = "de.tradomir.VKSKontoServerV7.clRegistry";
inline constexpr const char* kGlobalDataInterface =
    "de.tradomir.VKSKontoServerV7.clKontoGlobalData";
// The D-Bus error that carries an automation error; its message is
// "<number>|<source>|<description>" (the number in signed decimal; split at the first two "|").
// The account list window's status object, beside the host's contract (AnzeigeObjekt.h).
inline constexpr const char* kAnzeigePath = "/de/tradomir/VKSKontoServerV7/Anzeige";
inline constexpr const char* kAnzeigeInterface = "de.tradomir.VKSKontoServerV7.Anzeige";
inline constexpr const char* kAutomationErrorName = "de.tradomir.VKSKontoServerV7.AutomationError";

}  // namespace vks::dbus
