' Eval, Execute, ExecuteGlobal, Option-free implicit variables.
x = 5
Check "eval", Eval("x * 2"), 10
Check "eval comparison", Eval("x = 5"), True
Execute "y = x + 1"
Check "execute", y, 6
ExecuteGlobal "Function Added(a) : Added = a + 100 : End Function"
Check "executeglobal function", Added(1), 101
Sub Inner()
  Dim z : z = 1
  Execute "z = z + 41"
  Check "execute sees locals", z, 42
End Sub
Inner
On Error Resume Next
Execute "If x Then"
Check "syntax error", Err.Number, 1014
Err.Clear
Eval "1 +"
Check "expression expected", Err.Number, 1023
WScript.Quit failures
