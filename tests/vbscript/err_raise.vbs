' Err.Raise: fields left out keep what Err holds, HelpFile and HelpContext are kept, numbers
' above 65535 that are no HRESULT are error 5.
On Error Resume Next
Err.Raise 1000, "Erste", "erster Text", "hilfe.chm", 42
Check "source", Err.Source, "Erste"
Check "help file", Err.HelpFile, "hilfe.chm"
Check "help context", Err.HelpContext, 42
Err.Raise 1001
Check "number replaced", Err.Number, 1001
Check "source kept", Err.Source, "Erste"
Check "description kept", Err.Description, "erster Text"
Check "help file kept", Err.HelpFile, "hilfe.chm"
Check "help context kept", Err.HelpContext, 42
Err.Clear
Check "clear empties the help file", Err.HelpFile, ""
Err.Raise 6
Check "cleared: the table's text", Err.Description, "Überlauf"
Check "cleared: the engine's source", Err.Source, "Laufzeitfehler in Microsoft VBScript"
Err.Clear
x = 1 / 0
Check "a run-time error has no help file", Err.HelpFile, ""
Err.Clear
Err.Raise 70000
Check "above 65535", Err.Number, 5
Err.Clear
Err.Raise 65535
Check "65535 itself", Err.Number, 65535
Err.Clear
Err.HelpContext = 7 : Err.HelpFile = "x.chm"
Check "help fields written", Err.HelpFile & Err.HelpContext, "x.chm7"
WScript.Quit failures
