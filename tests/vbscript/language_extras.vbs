' GetRef and nested arrays assigned in place.

Function Add(a, b) : Add = a + b : End Function
Dim calls : calls = 0
Sub Count() : calls = calls + 1 : End Sub
Set f = GetRef("Add")
Check "getref call", f(2, 3), 5
Set g = GetRef("count")
Call g()
g()
Check "getref sub", calls, 2
Check "getref is an object", IsObject(f), True
Dim a(2)
a(1) = Array(10, 20, 30)
a(1)(2) = 99
Check "array in an array element", a(1)(2), 99
Check "other elements kept", a(1)(0), 10
Dim grid(1)
grid(0) = Array(Array(1, 2), Array(3, 4))
grid(0)(1)(0) = 7
Check "three levels", grid(0)(1)(0), 7
On Error Resume Next
Set h = GetRef("NoSuchProc")
Check "getref unknown", Err.Number, 5
Err.Clear
x = 5
x(1) = 2
Check "index into a number", Err.Number <> 0, True
WScript.Quit failures
