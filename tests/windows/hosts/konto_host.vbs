' A host script that binds late, as the trading program's scripts do: it creates the account
' server's objects by name, books a day on one account through every member that changes accounts,
' and reads back results, by-reference arguments, the metrics and an error. It prints one line per
' failed check and ends with "ENDE n Fehler" (its exit code is n): Wine's script host ends a script
' that stops on an error with code 0 and without a word, so a missing last line is a failure too. The
' checks are those of the interpreter's own scripts (tests/vbscript/lib/Pruefung.vbs).
Const TAG = 45744        ' 28 March 2025
Const KEIN_WERT = -2.123456E+38

Dim konto, zweites
Set konto = CreateObject("VKSKontoServerV7.clKontoSchnittstelle")
Set zweites = CreateObject("VKSKontoServerV7.clKontoSchnittstelle")
Dim id_muster : Set id_muster = New RegExp
id_muster.Pattern = "^Konto-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}$"
CheckTabelle Array( _
  Array("ID-Form", id_muster.Test(konto.ID_Schnittstelle), True), _
  Array("zwei IDs", konto.ID_Schnittstelle = zweites.ID_Schnittstelle, False), _
  Array("kein Konto: Namenliste", IsEmpty(konto.VKSGetKontoNamenliste()), True))

' A new account; a name taken in another case comes back refused with its text by reference.
Dim fehlertext : fehlertext = "vorher"
CheckTyp "neues Konto", konto.VKSNeuesKontoZufügen("Skript", "Host-Test", 10000, TAG + 0.375, _
       True, False, False, fehlertext), True
CheckTyp "neues Konto: Fehlertext", fehlertext, "vorher"
CheckTyp "Name vergeben", zweites.VKSNeuesKontoZufügen("SKRIPT", "", 1, TAG, True, True, True, _
       fehlertext), False
CheckTyp "Name vergeben: Fehlertext", fehlertext, "Es ist bereits ein Konto mit diesem Namen vorhanden."
' An order with extras that the script fills; the date comes back by reference unchanged.
Dim extras : Set extras = CreateObject("VKSKontoServerV7.clOrderZusatzInfos")
extras.Margin = 100
extras.Commissions = 0
extras.MinTickSize = 0.01
Dim zeit : zeit = CDate(TAG + 0.4)
CheckTyp "Orderstatus offen", konto.VKSKontoNeuerOrderstatus(zeit, "Skript", "A-1", "DE0001", _
       "Alpha AG", 1, 100, 0, 20, True, extras), -1
CheckTyp "Datum zurück", zeit, CDate(TAG + 0.4)
CheckTyp "Extras zurück", extras.MinTickSize, 0.01
CheckTyp "offene Order", konto.VKSGetKontoWert("Skript", 1), CSng(1)
CheckTyp "Fill", konto.VKSKontoNeuerOrderstatus(zeit, "Skript", "A-1", "DE0001", "Alpha AG", 1, _
       100, 100, 20, True, extras), -1
CheckTyp "schon ausgeführt", konto.VKSKontoNeuerOrderstatus(zeit, "Skript", "A-1", "DE0001", _
       "Alpha AG", 1, 100, 100, 20, True, extras), -33
CheckTyp "Konto fehlt", konto.VKSKontoNeuerOrderstatus(zeit, "Fehlt", "A-2", "DE0001", "Alpha AG", _
       1, 100, 100, 20, True, extras), 0
Dim offen : Set offen = CreateObject("VKSKontoServerV7.clOrderZusatzInfos")
offen.Margin = 100
CheckTyp "zweite Order", konto.VKSKontoNeuerOrderstatus(zeit, "Skript", "A-3", "DE0002", "Beta AG", _
       1, 10, 0, 5, True, offen), -1
CheckTyp "gestrichen", konto.VKSStreicheOrder("Skript", "A-3", 0), -1

' Prices revalue the position; the other object sees the same accounts.
konto.VKSKontoNeuerKurs CDate(TAG + 0.5), "Skript", "DE0001", 22, True
konto.VKSKontoNeuerKurs CDate(TAG + 0.5), "Fehlt", "DE0001", 22
Dim cash : cash = zweites.VKSKontoGetCashBetrag("skript")
CheckTabelle Array( _
  Array("Position", zweites.VKSGetTitelPosition("SKRIPT", "de0001"), CSng(100)), _
  Array("Position fehlt", konto.VKSGetTitelPosition("Skript", "XX"), CSng(0)), _
  Array("Cash", cash, CDbl(8000)), _
  Array("Cash ohne Konto", konto.VKSKontoGetCashBetrag("Fehlt"), CLng(1)), _
  Array("ausgeführte Orders", konto.VKSGetKontoWert("Skript", 7), CSng(1)), _
  Array("offene Orders", konto.VKSGetKontoWert("Skript", 1), CSng(0)), _
  Array("Positionen", konto.VKSGetKontoWert("Skript", 13), CSng(1)), _
  Array("Aktienwert", konto.VKSGetKontoWert("Skript", 29), CSng(2200)), _
  Array("Gesamtkapital", konto.VKSGetKontoWert("Skript", 45), CSng(10200)), _
  Array("Wert ohne Konto", konto.VKSGetKontoWert("Fehlt", 45), CSng(KEIN_WERT)), _
  Array("existiert", konto.VKSKontoExistiert("SKRIPT"), True), _
  Array("Dateiname", konto.VKSGetTitelDateiName("Skript", "DE0001", 1, True), "Skript-Pos-DE0001"))

' The 48 metrics: their names from the server, a value for each.
Dim namen : Set namen = CreateObject("Scripting.Dictionary")
konto.InitKontoKennzahlen namen
CheckTyp "Kennzahlen", namen.Count, CLng(48)
Dim k, werte : werte = 0
For k = 1 To 48
  If VarType(konto.VKSGetKontoWert("Skript", k)) = vbSingle Then werte = werte + 1
Next
CheckTyp "Kennzahlwerte", werte, 48

' An error of the server reaches the script with its number and German description.
On Error Resume Next
konto.InitKontoKennzahlen namen
CheckTyp "Fehlernummer", Err.Number, CLng(457)
CheckTyp "Fehlertext", Err.Description, "Dieser Schlüssel ist bereits einem Element dieser Auflistung zugeordnet"
Err.Clear
konto.VKSKontoNeuerKurs
CheckTyp "Argument fehlt", Err.Number <> 0, True
Err.Clear
konto.InitKontoKennzahlen Nothing
CheckTyp "Nothing statt Objekt", Err.Number, CLng(424)
Err.Clear
Dim falsch : falsch = konto.VKSGetKontoWert("Skript", "viel")
CheckTyp "Text statt Kennzahl", Err.Number, CLng(13)
Err.Clear
On Error GoTo 0

' Arrays by reference: the names' field and the position files' fields.
Dim feld, wkn, titel
konto.VKSBaueKontoNamenStringFeld feld
CheckTabelle Array( _
  Array("Namenfeld", Liste(feld), "Skript|Skript"), _
  Array("Namenfeld Grenzen", LBound(feld, 1) & LBound(feld, 2) & UBound(feld, 1) * UBound(feld, 2), "112"), _
  Array("Namenliste", Liste(konto.VKSGetKontoNamenliste()), "Skript"))
' Securities without bookings, so without position files yet.
wkn = Array("DE0008", "DE0009")
titel = Array("Acht AG", "Neun AG")
CheckTyp "Positionsdateien", konto.VKSSchreibePosWerte("Skript", wkn, titel, 20, 7), -1
CheckTyp "Positionsdateien vorhanden", konto.VKSSchreibePosWerte("Skript", wkn, titel, 20, 7), -2
CheckTyp "WKN-Feld zurück", Liste(wkn), "DE0008|DE0009"

' Closing books the whole position at the price; a reset keeps the account and drops its bookings.
CheckTyp "Schließen", IsEmpty(konto.VKSClosePosition("Skript", "DE0001", 21)), True
CheckTabelle Array( _
  Array("geschlossen", konto.VKSGetTitelPosition("Skript", "DE0001"), CSng(0)), _
  Array("Cash nach Schließen", konto.VKSKontoGetCashBetrag("Skript"), CDbl(10100)))
CheckTyp "Reset", konto.VKSKontoKomplettReset("skript", 5000, TAG + 1), True
CheckTyp "Reset ohne Konto", konto.VKSKontoKomplettReset("Fehlt", 5000, TAG + 1), False
CheckTyp "Kapital nach Reset", konto.VKSGetKontoWert("Skript", 45), CSng(5000)
Dim meldung : meldung = "alt"
CheckTyp "ohne Regel erlaubt", konto.KontoVerbietetOrderaufgabe("Skript", 0, meldung), False
CheckTyp "Meldung unberührt", meldung, "alt"

' The data properties: a dictionary kept for the host, flags stored and returned.
Dim positionen : Set positionen = CreateObject("Scripting.Dictionary")
positionen.Add "DE0001", 3
Set konto.cTitelPositionen = positionen
konto.NeuerAktienwertSpeichern = True
CheckTabelle Array( _
  Array("Dictionary", konto.cTitelPositionen.Item("DE0001"), 3), _
  Array("Flag", konto.NeuerAktienwertSpeichern, True), _
  Array("Flag 2", zweites.NeuerAktienwertSpeichern, False))

Set extras = Nothing
Set offen = Nothing
Set zweites = Nothing
Set konto = Nothing
WScript.Echo "ENDE " & failures & " Fehler"
WScript.Quit failures
