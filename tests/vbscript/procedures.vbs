' Procedures: Function and Sub, ByRef and ByVal, recursion, Exit, Call, implicit locals.

Function Twice(x) : Twice = x * 2 : End Function
Sub Bump(ByRef x) : x = x + 1 : End Sub
Sub BumpVal(ByVal x) : x = x + 1 : End Sub
Function Fact(n)
  If n <= 1 Then Fact = 1 : Exit Function
  Fact = n * Fact(n - 1)
End Function
Sub SetLocal() : hidden = 5 : End Sub
Dim a : a = 1
Bump a
Check "byref", a, 2
BumpVal a
Check "byval", a, 2
Bump (a)
Check "parens pass by value", a, 2
Call Bump(a)
Check "call passes byref", a, 3
Check "function", Twice(21), 42
Check "recursion", Fact(10), 3628800
SetLocal
Check "undeclared in sub stays local", IsEmpty(hidden), True
Function NoResult() : End Function
Check "function without result", IsEmpty(NoResult()), True
Function Swap(a1, b1)
  Dim t : t = a1 : a1 = b1 : b1 = t
End Function
x = 1 : y = 2 : Swap x, y
Check "swap", x & y, "21"
On Error Resume Next
Twice 1, 2
Check "wrong argument count", Err.Number, 450
WScript.Quit failures
