// The script engine against Lua 5.4 in the same binary: a rule evaluated with a fresh engine each
// time, an arithmetic loop with a function call, and string building with Split/Join. Compare
// each BM_Vbs* with its BM_Lua* floor; BM_FuehreKontoScriptAus is the server's own rule evaluation
// against the same floor as the fresh-engine rule. The last lines give the ratios of the medians.
#include <benchmark/benchmark.h>

#include <lua5.4/lua.hpp>
#include <tuple>

#include "accounts/KontoKennzahl.h"
#include "adapters/pcre2/Pcre2RegexEngine.h"
#include "bench/Verhaeltnisse.h"
#include "platform/automation/VariantConversions.h"
#include "scripting/FuehreKontoScriptAus.h"
#include "session/KontoSitzung.h"
#include "session/clKontoGlobalData.h"
#include "vbscript/Engine.h"
#include "vbscript/Names.h"

namespace {

using vks::InvokeKind;
using vks::Variant;

// The services object of a rule: three metrics to read, a result to set.
class Services : public vks::Dispatch {
 public:
  std::string TypeName() const override { return "clScriptingServices"; }
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override {
    std::string n = vks::vbscript::FoldName(name);
    if (n == "ergebnis") {
      if (kind == InvokeKind::PropertyLet) ergebnis = vks::ToLong(args.back());
      return Variant(ergebnis);
    }
    if (n == "kennzahl") return Variant(Metric(vks::ToString(args[0])));
    throw vks::AutomationError(vks::error::kMemberNotFound);
  }
  bool HasMember(std::string_view name) const override {
    const std::string n = vks::vbscript::FoldName(name);
    return n == "ergebnis" || n == "kennzahl";
  }
  static double Metric(std::string_view key) {
    if (key == "Gesamtkapital") return 100000.0;
    if (key == "Offene Orders") return 3;
    return 1500.0;
  }
  int32_t ergebnis = 0;
};

class GlobalData : public vks::Dispatch {
 public:
  std::string TypeName() const override { return "clKontoGlobalData"; }
  Variant Invoke(std::string_view, InvokeKind, std::span<Variant>) override { return {}; }
};

// The rule of every rule benchmark: three metrics read, one result set.
constexpr const char* kRuleVbs = R"(Dim kapital, orders, dd
kapital = Tradomir.Kennzahl("Gesamtkapital")
orders = Kennzahl("Offene Orders")
dd = Kennzahl("Freies Kapital")
If kapital = NoValue Then
  Ergebnis = 0
ElseIf orders > 5 Then
  Ergebnis = 0
ElseIf dd > kapital * 2 Then
  Ergebnis = 0
Else
  Ergebnis = 1
End If
)";

int LuaKennzahl(lua_State* L) {
  lua_pushnumber(L, Services::Metric(luaL_checkstring(L, 2)));
  return 1;
}
int LuaIndex(lua_State* L) {
  std::string_view key = luaL_checkstring(L, 2);
  if (key == "Kennzahl")
    lua_pushcfunction(L, LuaKennzahl);
  else if (key == "Ergebnis")
    lua_pushinteger(L,
                    static_cast<Services*>(*static_cast<void**>(lua_touserdata(L, 1)))->ergebnis);
  else
    lua_pushnil(L);
  return 1;
}
int LuaNewIndex(lua_State* L) {
  auto* s = static_cast<Services*>(*static_cast<void**>(lua_touserdata(L, 1)));
  s->ergebnis = static_cast<int32_t>(luaL_checkinteger(L, 3));
  return 0;
}

// The rule's objects as userdata with index metamethods, and NoValue.
void LuaObjekte(lua_State* L, void* services, void* data) {
  for (auto [name, object] : {std::pair<const char*, void*>{"Tradomir", services},
                              std::pair<const char*, void*>{"KontoGlobalData", data}}) {
    *static_cast<void**>(lua_newuserdatauv(L, sizeof(void*), 0)) = object;
    lua_newtable(L);
    lua_pushcfunction(L, LuaIndex);
    lua_setfield(L, -2, "__index");
    lua_pushcfunction(L, LuaNewIndex);
    lua_setfield(L, -2, "__newindex");
    lua_setmetatable(L, -2);
    lua_setglobal(L, name);
  }
  lua_pushnumber(L, -2.123456E+38);
  lua_setglobal(L, "NoValue");
}

constexpr const char* kRuleLua = R"(
local kapital = Tradomir:Kennzahl("Gesamtkapital")
local orders = Tradomir:Kennzahl("Offene Orders")
local dd = Tradomir:Kennzahl("Freies Kapital")
if kapital == NoValue then
  Tradomir.Ergebnis = 0
elseif orders > 5 then
  Tradomir.Ergebnis = 0
elseif dd > kapital * 2 then
  Tradomir.Ergebnis = 0
else
  Tradomir.Ergebnis = 1
end
)";

// The server's own evaluation of the same rule: a fresh script host per call, the services object
// reading three metrics of a real account. Compare with BM_LuaRuleFreshState.
void BM_FuehreKontoScriptAus(benchmark::State& state) {
  vks::KontoSitzung server;
  server.KontoGlobalData = std::make_shared<vks::clKontoGlobalData>();
  vks::FuelleKennzahlenListe(server.KennzahlenNamen);
  auto konto = std::make_shared<vks::clKonto>();
  konto->KontoName = "Depot";
  server.Konten.Add("Depot", konto);
  vks::ScriptUmgebung umgebung{server};
  int32_t ergebnis = 0;
  for (auto _ : state) {
    if (vks::FuehreKontoScriptAus(umgebung, "PruefePlatziereProz", kRuleVbs, "Depot", ergebnis, 0,
                                  false) != vks::kScriptErfolg)
      state.SkipWithError("rule failed");
  }
  if (ergebnis != 1) state.SkipWithError("rule gave a wrong result");
}
BENCHMARK(BM_FuehreKontoScriptAus)->Repetitions(5)->ReportAggregatesOnly(true);

constexpr const char* kLoopVbs = R"(
Function F(x)
  F = x * 2 + 1
End Function
Dim i, s, d
s = 0 : d = 0.0
For i = 1 To 1000000
  s = s + F(i) Mod 7
  d = d + i / 3.0
Next
)";

constexpr const char* kLoopLua = R"(
local function F(x) return x * 2 + 1 end
local s, d = 0, 0.0
for i = 1, 1000000 do
  s = s + F(i) % 7
  d = d + i / 3.0
end
)";

// `code` in a fresh engine each time. A rule (`regel`) reads its metrics from a services object
// and must give Ergebnis = 1.
void RunVbs(benchmark::State& state, const char* code, bool regel) {
  auto services = std::make_shared<Services>();
  auto data = std::make_shared<GlobalData>();
  for (auto _ : state) {
    vks::vbscript::Engine engine;
    if (regel) {
      engine.AddObject("Tradomir", services, true);
      engine.AddObject("KontoGlobalData", data, false);
      (void)engine.AddCode("Const NoValue = -2.123456E+38");
    }
    if (!engine.ExecuteStatement(code).ok())
      state.SkipWithError(engine.Error().description.c_str());
  }
  if (regel && services->ergebnis != 1) state.SkipWithError("rule gave a wrong result");
}

// The same in a fresh Lua state each time.
void RunLua(benchmark::State& state, const char* code, bool regel) {
  Services services;
  GlobalData data;
  for (auto _ : state) {
    lua_State* L = luaL_newstate();
    luaL_openlibs(L);
    if (regel) LuaObjekte(L, &services, &data);
    if (luaL_loadstring(L, code) != 0 || lua_pcall(L, 0, 0, 0) != 0) state.SkipWithError("lua");
    lua_close(L);
  }
  if (regel && services.ergebnis != 1) state.SkipWithError("rule gave a wrong result");
}

// 100 000 appends, then Split and Join. Lua builds with table.concat, its own idiom for it.
constexpr const char* kStringsVbs = R"(
Dim s, i, parts, joined
s = ""
For i = 1 To 100000
  s = s & "ab,"
Next
parts = Split(s, ",")
joined = Join(parts, ";")
If Len(joined) <> 300000 Then Err.Raise 5
)";

constexpr const char* kStringsLua = R"(
local t = {}
for i = 1, 100000 do t[#t + 1] = "ab," end
local s = table.concat(t)
local parts = {}
for p in (s):gmatch("([^,]*),") do parts[#parts + 1] = p end
parts[#parts + 1] = ""
local joined = table.concat(parts, ";")
assert(#joined == 300000)
)";

}  // namespace

int main(int argc, char** argv) {
  vks::pcre2::InstallRegexEngine();
  using Lauf = std::tuple<const char*, void (*)(benchmark::State&, const char*, bool), const char*>;
  for (auto [name, run, code] :
       {Lauf{"BM_VbsRuleFreshEngine", RunVbs, kRuleVbs},
        Lauf{"BM_LuaRuleFreshState", RunLua, kRuleLua}, Lauf{"BM_VbsLoop", RunVbs, kLoopVbs},
        Lauf{"BM_LuaLoop", RunLua, kLoopLua}, Lauf{"BM_VbsStrings", RunVbs, kStringsVbs},
        Lauf{"BM_LuaStrings", RunLua, kStringsLua}}) {
    const bool regel = code == kRuleVbs || code == kRuleLua;
    auto* b = benchmark::RegisterBenchmark(name, run, code, regel)
                  ->Repetitions(5)
                  ->ReportAggregatesOnly(true);
    if (!regel) b->Unit(benchmark::kMillisecond);
  }
  return vks::bench::LaufeMitVerhaeltnissen(argc, argv,
                                            {{"BM_VbsRuleFreshEngine", "BM_LuaRuleFreshState", 1.0},
                                             {"BM_VbsLoop", "BM_LuaLoop", 3.0},
                                             {"BM_VbsStrings", "BM_LuaStrings", 2.0},
                                             {"BM_FuehreKontoScriptAus", "BM_LuaRuleFreshState"}});
}
