' A host script for the server's services beside the accounts: the registry class and the global
' data store that rules and hosts share. It ends with "ENDE n Fehler" and exit code n, as
' konto_host.vbs does, with the same checks.
Const HKEY_CURRENT_USER = &H80000001
Const REG_SZ = 1, REG_DWORD = 4, REG_BINARY = 3

' The registry class: each value type written and read back through Value, then enumerated and
' deleted again.
Dim reg : Set reg = CreateObject("VKSKontoServerV7.clRegistry")
reg.ClassKey = HKEY_CURRENT_USER
reg.SectionKey = "Software\VKS Hosttest\Werte"
CheckTyp "Schlüssel fehlt", reg.KeyExists, False
CheckTyp "Schlüssel anlegen", reg.CreateKey(), True
Dim werte, w
werte = Array( _
  Array("Text", REG_SZ, "Grüße"), _
  Array("Zahl", REG_DWORD, CLng(-5)), _
  Array("Leer", REG_SZ, ""))
For Each w In werte
  reg.ValueKey = w(0)
  reg.ValueType = w(1)
  reg.Value = w(2)
Next
For Each w In werte
  reg.ValueKey = w(0)
  reg.ValueType = REG_BINARY
  CheckTyp "Wert " & w(0), reg.Value, w(2)
  Check "Typ " & w(0), reg.ValueType, w(1)
Next
reg.ValueKey = "Fehlt"
reg.Default = "vorgegeben"
CheckTyp "Vorgabe", reg.Value, "vorgegeben"
' Windows lists the values in the order written, Wine sorted by name.
Dim namen : namen = "|" & Liste(reg.EnumerateValues()) & "|"
CheckTyp "Werte", Len(namen) - Len(Replace(namen, "|", "")), CLng(4)
For Each w In werte
  CheckTyp "Wert gelistet: " & w(0), InStr(namen, "|" & w(0) & "|") > 0, True
Next
reg.ValueKey = "Zahl"
CheckTyp "Wert löschen", reg.DeleteValue(), True
reg.SectionKey = "Software\VKS Hosttest"
CheckTyp "Unterschlüssel", Liste(reg.EnumerateSections()), "Werte"
reg.SectionKey = "Software\VKS Hosttest\Werte"
CheckTyp "Schlüssel löschen", reg.DeleteKey(), True
CheckTyp "gelöscht", reg.KeyExists, False
reg.SectionKey = "Software\VKS Hosttest"
CheckTyp "Elternschlüssel löschen", reg.DeleteKey(), True
Set reg = Nothing

' The global data store: one for every object, keys without regard to case, an added key twice is
' error 457, categories are stores of their own.
Dim a, b, daten, kategorie
Set a = CreateObject("VKSKontoServerV7.clKontoSchnittstelle")
Set b = CreateObject("VKSKontoServerV7.clKontoSchnittstelle")
Set daten = a.KontoGlobalData
daten.Add "Zahl", 5
On Error Resume Next
b.KontoGlobalData.Add "ZAHL", 6
CheckTyp "doppelt: Nummer", Err.Number, CLng(457)
Err.Clear
On Error GoTo 0
CheckTyp "ein Speicher", b.KontoGlobalData.Item("zahl"), 5
CheckTyp "Kategorie neu", daten.AddCategory("Trades"), True
CheckTyp "Kategorie schon da", daten.AddCategory("trades"), False
Set kategorie = daten.Item("Trades")
kategorie.Item("n") = 1.5
CheckTyp "Kategorie", b.KontoGlobalData.Item("TRADES").Item("N"), 1.5
CheckTyp "Schlüssel", Liste(daten.GetAllKeys), "Zahl|Trades"
daten.Remove "zahl"
CheckTyp "entfernt", daten.KeyExists("Zahl"), False
daten.RemoveAll
CheckTyp "alle entfernt", daten.KeyExists("Trades"), False
CheckTyp "Kategorie lebt", kategorie.Item("n"), 1.5

' Releasing one object leaves the other working; the server ends once both are gone (the test
' driver waits for that).
Set a = Nothing
CheckTyp "nach Freigabe", b.VKSKontoExistiert("Skript"), True
Set kategorie = Nothing
Set daten = Nothing
Set b = Nothing
WScript.Echo "ENDE " & failures & " Fehler"
WScript.Quit failures
