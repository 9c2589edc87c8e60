' Functions called inside arithmetic: the result's subtype, arguments by reference, errors, and
' variables that change subtype from one step of a loop to the next.
Dim failures : failures = 0
Sub Check(name, actual, expected)
  If TypeName(actual) <> TypeName(expected) Then
    WScript.Echo "FAIL " & name & ": type " & TypeName(actual) & ", expected " & TypeName(expected)
    failures = failures + 1
  ElseIf actual <> expected Then
    WScript.Echo "FAIL " & name & ": " & actual & ", expected " & expected
    failures = failures + 1
  End If
End Sub

Function Twice(x) : Twice = x * 2 : End Function
Function Bump(x) : x = x + 1 : Bump = x * 10 : End Function
Function BumpVal(ByVal x) : x = x + 1 : BumpVal = x * 10 : End Function
Function Nothing0() : End Function
Function Text() : Text = "4" : End Function
Function Changes() : Changes = 1 : Changes = Changes & "x" : End Function
Function Fact(n)
  If n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)
End Function
Function Inverse(x) : Inverse = 1 \ x : End Function
Function Local(x)
  Dim t : t = x
  Local = Bump(t) + t
End Function

Check "Integer result", Twice(CInt(3)) + 1, CInt(7)
Check "Long result", Twice(CLng(3)) Mod 4, CLng(2)
Check "Integer overflows to Long", Twice(CInt(20000)) + 1, CLng(40001)
Check "Long overflows to Double", Twice(CLng(2000000000)) + 1, CDbl(4000000001)
Check "Double result", Twice(1.25) - 0.5, CDbl(2)
Check "no result is Empty", Nothing0() + 1, CInt(1)
Check "string result", Text() + 1, CDbl(5)
Check "result changing subtype", Changes() & "", "1x"
Check "recursion", Fact(10) + 0, CLng(3628800)
Check "recursion past Long", Fact(13) + 0, CDbl(6227020800)

Dim a : a = 5
Check "ByRef result", Bump(a) + 1, CInt(61)
Check "ByRef argument changed", a, CInt(6)
Check "parentheses pass by value", Bump((a)) + 1, CInt(71)
Check "argument kept", a, CInt(6)
Check "ByVal", BumpVal(a) + 1, CInt(71)
Check "ByVal argument kept", a, CInt(6)
Check "ByRef of a local", Local(CInt(2)), CInt(33)

' The loop variable and the sums change subtype as they grow.
Dim i, s, d
s = CInt(0) : d = 0
For i = 32765 To 32767
  s = s + Twice(i) Mod 7
  d = d + i / 4
Next
Check "loop variable past Integer", i, CLng(32768)
Check "sum", s, CLng(8)
Check "quotients", d, 24574.5
s = CInt(32000)
For i = 1 To 3
  s = s + Twice(CInt(300))
Next
Check "sum past Integer", s, CLng(33800)

' Errors inside the function reach the calling statement.
On Error Resume Next
Dim y : y = 7
y = Inverse(0) + 1
Check "division by zero", Err.Number, CLng(11)
Check "target kept", y, CInt(7)
Err.Clear
y = Twice(CInt(1), 2) + 1
Check "argument count", Err.Number, CLng(450)
Err.Clear
y = CInt(Twice(20000))
Check "overflow", Err.Number, CLng(6)
On Error GoTo 0

WScript.Quit failures
