' Passing arguments: ByRef by default, and every way a ByRef argument is passed by value.

Sub Inc(x) : x = x + 1 : End Sub
Sub IncVal(ByVal x) : x = x + 1 : End Sub
Function IncF(ByRef x) : x = x + 1 : IncF = x : End Function
Sub SetNothing(o) : Set o = Nothing : End Sub
Sub SetNothingVal(ByVal o) : Set o = Nothing : End Sub
Sub Poke(arr) : arr(0) = 9 : End Sub
Sub PokeVal(ByVal arr) : arr(0) = 9 : End Sub
Sub Twice(a, b) : a = a * 2 : b = b * 2 : End Sub

Dim n : n = 1
Inc n : Check "statement call", n, 2
Inc (n) : Check "parenthesized argument", n, 2
Call Inc(n) : Check "Call passes by reference", n, 3
Call Inc((n)) : Check "Call with inner parentheses", n, 3
Inc n + 0 : Check "expression", n, 3
IncVal n : Check "ByVal", n, 3
r = IncF(n) : Check "function call by reference", n, 4
Check "function result", r, 4
r = IncF((n)) : Check "function call parenthesized", n, 4
Dim m : m = 1
Twice m, m : Check "same variable twice", m, 4
Dim arr(1) : arr(0) = 1
Poke arr : Check "array by reference", arr(0), 9
arr(0) = 1
PokeVal arr : Check "array by value is a copy", arr(0), 1
Set d = CreateObject("Scripting.Dictionary")
SetNothingVal d : Check "object by value keeps the caller's reference", IsObject(d), True
Check "still usable", d Is Nothing, False
SetNothing d : Check "object by reference", d Is Nothing, True
Const kFive = 5
Dim c : c = kFive
Inc c : Check "copy of a constant", c, 6
For i = 1 To 3
  Inc i
Next
Check "loop variable changed through ByRef", i, 5
WScript.Quit failures
