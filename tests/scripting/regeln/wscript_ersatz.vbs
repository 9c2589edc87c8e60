' A rule has no WScript object: this stand-in shows each line as a message and hands the failure
' count of a self-checking script to Ergebnis.
Class WScriptErsatz
  Public Sub Echo(text) : MsgBox text : End Sub
  Public Sub Quit(code) : Ergebnis = code : End Sub
End Class
Dim WScript : Set WScript = New WScriptErsatz
