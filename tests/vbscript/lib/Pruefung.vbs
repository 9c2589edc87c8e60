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

' Each pair of `pruef_faelle` is an expression and the value Eval gives for it (of the very same
' subtype with CheckEvalTyp). The names keep clear of the script's own, which Eval sees.
Sub CheckEval(pruef_faelle) : CheckEvals pruef_faelle, False : End Sub
Sub CheckEvalTyp(pruef_faelle) : CheckEvals pruef_faelle, True : End Sub
Sub CheckEvals(pruef_faelle, pruef_typ)
  Dim pruef_i
  For pruef_i = 0 To UBound(pruef_faelle) Step 2
    If pruef_typ Then
      CheckTyp pruef_faelle(pruef_i), Eval(pruef_faelle(pruef_i)), pruef_faelle(pruef_i + 1)
    Else
      Check pruef_faelle(pruef_i), Eval(pruef_faelle(pruef_i)), pruef_faelle(pruef_i + 1)
    End If
  Next
End Sub

' Each pair of `pruef_faelle` is an expression and the error number evaluating it raises.
Sub CheckFehler(pruef_faelle)
  Dim pruef_i
  For pruef_i = 0 To UBound(pruef_faelle) Step 2
    Check "error of " & pruef_faelle(pruef_i), Fehler(pruef_faelle(pruef_i)), pruef_faelle(pruef_i + 1)
  Next
End Sub
