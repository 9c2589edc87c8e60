' Functions called inside arithmetic: the result's subtype, arguments by reference, errors, and
' variables that change subtype from one step of a loop to the next.

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

CheckEvalTyp Array("Twice(CInt(3)) + 1", CInt(7), "Twice(CLng(3)) Mod 4", CLng(2), _
    "Twice(CInt(20000)) + 1", CLng(40001), "Twice(CLng(2000000000)) + 1", CDbl(4000000001), _
    "Twice(1.25) - 0.5", CDbl(2), "Nothing0() + 1", CInt(1), "Text() + 1", CDbl(5), _
    "Changes() & """"", "1x", "Fact(10) + 0", CLng(3628800), "Fact(13) + 0", CDbl(6227020800))

Dim a : a = 5
CheckTyp "ByRef result", Bump(a) + 1, CInt(61)
CheckTyp "ByRef argument changed", a, CInt(6)
CheckTyp "parentheses pass by value", Bump((a)) + 1, CInt(71)
CheckTyp "argument kept", a, CInt(6)
CheckTyp "ByVal", BumpVal(a) + 1, CInt(71)
CheckTyp "ByVal argument kept", a, CInt(6)
CheckTyp "ByRef of a local", Local(CInt(2)), CInt(33)

' The loop variable and the sums change subtype as they grow.
Dim i, s, d
s = CInt(0) : d = 0
For i = 32765 To 32767
  s = s + Twice(i) Mod 7
  d = d + i / 4
Next
CheckTyp "loop variable past Integer", i, CLng(32768)
CheckTyp "sum", s, CLng(8)
CheckTyp "quotients", d, 24574.5
s = CInt(32000)
For i = 1 To 3
  s = s + Twice(CInt(300))
Next
CheckTyp "sum past Integer", s, CLng(33800)

' Errors inside the function reach the calling statement.
On Error Resume Next
Dim y : y = 7
y = Inverse(0) + 1
CheckTyp "division by zero", Err.Number, CLng(11)
CheckTyp "target kept", y, CInt(7)
Err.Clear
y = Twice(CInt(1), 2) + 1
CheckTyp "argument count", Err.Number, CLng(450)
Err.Clear
y = CInt(Twice(20000))
CheckTyp "overflow", Err.Number, CLng(6)
On Error GoTo 0

WScript.Quit failures
