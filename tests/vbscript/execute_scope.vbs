' Execute, ExecuteGlobal and Eval: which variables the code sees and where what it declares lives.

Dim X : X = "Global"
Function Proc1()
  Dim X : X = "Local"
  Execute "Function Proc2() : Proc2 = X : End Function"
  Proc1 = Eval("X")
End Function
Check "eval sees the local", Proc1(), "Local"
Check "procedure from Execute sees the globals", Proc2(), "Global"
Sub SetLocal()
  Dim X : X = 1
  Execute "X = X + 41"
  Check "execute reads and writes the local", X, 42
End Sub
SetLocal
Check "execute leaves the global", X, "Global"
Sub SetGlobal()
  Dim X
  ExecuteGlobal "X = ""from ExecuteGlobal"""
End Sub
SetGlobal
Check "executeglobal writes the global", X, "from ExecuteGlobal"
Check "eval of = compares", Eval("1 = 1"), True
y = 0
Execute "y = 5"
Check "execute of = assigns", y, 5
Execute "Dim fresh : fresh = 3"
Check "execute at script level declares globally", fresh, 3
ExecuteGlobal "Class Made : Public V : End Class"
ExecuteGlobal "Function Added(a) : Added = a + 100 : End Function"
Set m = New Made
m.V = 2
Check "class from executeglobal", m.V, 2
Check "function from executeglobal", Added(1), 101
Check "eval calls functions", Eval("Len(""abc"") + 1"), 4
Check "eval of a literal", Eval("1") + 0, 1
Execute "a1 = 1 : a2 = 2" & vbCrLf & "a3 = a1 + a2"
Check "statements and lines", a3, 3
On Error Resume Next
Execute "If x Then"
Check "syntax error inside execute", Err.Number, 1014
Err.Clear
z = Eval("1 +")
Check "syntax error inside eval", Err.Number, 1023
WScript.Quit failures
