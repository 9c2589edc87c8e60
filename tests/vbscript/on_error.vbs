' On Error Resume Next across calls, Err.Raise with source and description, On Error GoTo 0
' (the fields Err.Raise leaves out: err_raise.vbs).

Dim trail : trail = ""
Sub Inner()
  On Error Resume Next
  x = 1 / 0
  trail = trail & "i" & Err.Number
End Sub
Sub Middle()
  Inner
  trail = trail & "m"
  Err.Raise 1001, "Middle", "from middle"
  trail = trail & "not reached"
End Sub
Sub Strict()
  On Error GoTo 0
  y = CLng("x")
  trail = trail & "not reached"
End Sub
Function Guarded()
  On Error Resume Next
  Guarded = 1
  Err.Raise 5
  Guarded = Err.Number
End Function

On Error Resume Next
Middle
Check "callee handles its own error", trail, "i11m"
Check "error leaves the procedure without a handler", Err.Number, 1001
Check "raised source", Err.Source, "Middle"
Check "raised description", Err.Description, "from middle"
Err.Clear
Strict
Check "goto 0 in a callee ends the callee", Err.Number, 13
Check "caller still resumes", trail, "i11m"
Err.Clear
Check "function continues after raise", Guarded(), 5
Err.Raise vbObjectError + 7
Check "vbObjectError", Err.Number, -2147221497
Err.Clear
n = 0
For i = 1 To 3
  n = n + 10 / (i - 2)
Next
Check "loop continues after an error", n, 0
Err.Clear
On Error GoTo 0
Check "goto 0 clears", Err.Number, 0
WScript.Quit failures
