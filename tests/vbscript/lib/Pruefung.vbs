' What every conformance script checks with; the script ends with WScript.Quit failures.
Dim failures : failures = 0

' Equal values, and a text only where a text is expected (and Null only where Null is).
Sub Check(name, actual, expected)
  Vergleiche name, actual, expected, _
    (VarType(actual) = vbString) = (VarType(expected) = vbString) And IsNull(actual) = IsNull(expected)
End Sub

' Equal values of the very same subtype.
Sub CheckTyp(name, actual, expected)
  Vergleiche name, actual, expected, TypeName(actual) = TypeName(expected)
End Sub

' The error number evaluating `ausdruck` raises (0 for none).
Function Fehler(ausdruck)
  On Error Resume Next
  Dim v : v = Eval(ausdruck)
  Fehler = Err.Number
End Function

Sub Vergleiche(name, actual, expected, typPasst)
  If Not typPasst Then
    WScript.Echo "FAIL " & name & ": type " & TypeName(actual) & ", expected " & TypeName(expected)
    failures = failures + 1
  ElseIf actual <> expected Then
    WScript.Echo "FAIL " & name & ": " & actual & ", expected " & expected
    failures = failures + 1
  End If
End Sub
