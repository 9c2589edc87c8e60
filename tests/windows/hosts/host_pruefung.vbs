' What the host scripts share beside the interpreter's checks (Pruefung.vbs); the driver puts both
' in front of each script, as Wine's script host has no include.

' Checks a table of rows Array(what, got, expected), each with its subtype.
Sub CheckTabelle(zeilen)
  Dim z
  For Each z In zeilen
    CheckTyp z(0), z(1), z(2)
  Next
End Sub

' The elements of an array of any dimensions, in storage order, joined by "|" (Wine's VBScript has
' no Join).
Function Liste(feld)
  Dim x
  Liste = ""
  For Each x In feld
    If Liste <> "" Then Liste = Liste & "|"
    Liste = Liste & x
  Next
End Function
