' The registered server as a late-binding script host reaches it: created by its class name, a
' new account, a metric read back, an error's number and description, release. Prints OK or the
' first failure, and ends with exit code 0 only when all held. Written in UTF-8; the script host
' reads its files in the ANSI code page, so the test hands it a Windows-1252 copy.
Option Explicit
Dim konto, fehlertext, ok, daten
ok = True
Sub Pruefe(bedingung, was)
  If Not bedingung Then
    WScript.Echo "FEHLER: " & was
    ok = False
  End If
End Sub

Set konto = CreateObject("VKSKontoServerV7.clKontoSchnittstelle")
fehlertext = ""
Pruefe konto.VKSNeuesKontoZufügen("Skript", "smoke", 25000, Now, True, False, False, fehlertext), _
       "VKSNeuesKontoZufügen: " & fehlertext
Pruefe konto.VKSKontoExistiert("SKRIPT"), "VKSKontoExistiert"
Pruefe konto.VKSGetKontoWert("Skript", 45) = 25000, "eGesamtKapital " & konto.VKSGetKontoWert("Skript", 45)
Pruefe Left(konto.ID_Schnittstelle, 6) = "Konto-", "ID_Schnittstelle " & konto.ID_Schnittstelle
Set daten = konto.KontoGlobalData
daten.Add "a", 1
On Error Resume Next
daten.Add "a", 2
Pruefe Err.Number = 457, "Err.Number " & Err.Number
Pruefe Len(Err.Description) > 0, "Err.Description leer"
On Error GoTo 0
Set daten = Nothing
Set konto = Nothing
If ok Then WScript.Echo "OK"
If ok Then WScript.Quit 0 Else WScript.Quit 1
