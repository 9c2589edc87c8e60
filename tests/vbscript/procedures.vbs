' Procedures beside byref.vbs and function_arithmetic.vbs: Exit Function, implicit locals, a Function
' called as a statement.

Function Fact(n)
  If n <= 1 Then Fact = 1 : Exit Function
  Fact = n * Fact(n - 1)
End Function
Sub SetLocal() : hidden = 5 : End Sub
Check "recursion with Exit Function", Fact(10), 3628800
SetLocal
Check "undeclared in sub stays local", IsEmpty(hidden), True
Function Swap(a1, b1)
  Dim t : t = a1 : a1 = b1 : b1 = t
End Function
x = 1 : y = 2 : Swap x, y
Check "swap", x & y, "21"
WScript.Quit failures
