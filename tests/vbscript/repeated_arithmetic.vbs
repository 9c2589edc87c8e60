' Arithmetic that runs again takes another road than its first runs: each statement here sees
' other subtypes on later steps of a loop, and must give what the same expression gives when it is
' evaluated afresh (Eval), errors included.

' `actual` and the error `number` it came with against Eval(text) now.
Sub Compare(name, actual, number, text)
  On Error Resume Next
  Dim expected
  Err.Clear
  expected = Eval(text)
  If Err.Number <> number Then
    WScript.Echo "FAIL " & name & ": error " & number & ", expected " & Err.Number
    failures = failures + 1
  ElseIf number = 0 Then
    CheckTyp name, actual, expected
  End If
End Sub

Class Box
  Public Default Property Get Value : Value = 5 : End Property
End Class

Dim values(9), x, y, r, i
values(0) = CInt(32767)
values(1) = CLng(2147483647)
values(2) = "3"
values(3) = Null
values(4) = Empty
values(5) = True
values(6) = CDbl(1.5)
values(7) = CInt(-32768)
Set values(8) = New Box
values(9) = CLng(-2147483647)

On Error Resume Next
For i = 0 To 9
  If IsObject(values(i)) Then Set x = values(i) Else x = values(i)
  y = i - 4
  Err.Clear : r = "text before" : r = x + 1 : Compare i & ": x + 1", r, Err.Number, "x + 1"
  Err.Clear : r = x * 2 + y : Compare i & ": x * 2 + y", r, Err.Number, "x * 2 + y"
  Err.Clear : r = 1 - x : Compare i & ": 1 - x", r, Err.Number, "1 - x"
  Err.Clear : r = x * x : Compare i & ": x * x", r, Err.Number, "x * x"
  Err.Clear : r = x \ y : Compare i & ": x \ y", r, Err.Number, "x \ y"
  Err.Clear : r = (x - 1) \ -1 : Compare i & ": (x - 1) \ -1", r, Err.Number, "(x - 1) \ -1"
  Err.Clear : r = x Mod (y - 1) : Compare i & ": x Mod (y - 1)", r, Err.Number, "x Mod (y - 1)"
  Err.Clear : r = x / y : Compare i & ": x / y", r, Err.Number, "x / y"
  Err.Clear : r = x ^ 2 : Compare i & ": x ^ 2", r, Err.Number, "x ^ 2"
  Err.Clear : r = x < y : Compare i & ": x < y", r, Err.Number, "x < y"
  Err.Clear : r = (x = 3) + 1 : Compare i & ": (x = 3) + 1", r, Err.Number, "(x = 3) + 1"
  Err.Clear : r = Len(x) + x : Compare i & ": Len(x) + x", r, Err.Number, "Len(x) + x"
  ' Deeper than the flattened form takes: stays with the tree.
  Err.Clear : r = 1 + (2 + (3 + (4 + (5 + (6 + (7 + (8 + (9 + x)))))))) : Compare i & ": deep", r, Err.Number, "1 + (2 + (3 + (4 + (5 + (6 + (7 + (8 + (9 + x))))))))"
  Err.Clear : r = 0 : If x > 2 Then r = 1
  Compare i & ": condition", r = 1, Err.Number, "Not IsNull(x > 2) And (x > 2) = True"
Next
On Error GoTo 0

' A result that grows past its subtype on a later step.
Dim k, n16, n32
n16 = CInt(32764) : n32 = CLng(2147483644)
For k = 1 To 5
  n16 = n16 + 1
  n32 = n32 + 1
Next
CheckTyp "Integer grows into Long", n16, CLng(32769)
CheckTyp "Long grows into Double", n32, CDbl(2147483649)

' Arguments by reference changed by the function: a variable read before the call keeps the old
' value, one read after it sees the new one.
Function Bump(v) : v = v + 1 : Bump = v * 10 : End Function
Dim p, q : p = 0 : q = 0
For k = 1 To 4
  x = k : p = p + x + Bump(x)
  x = k : q = q + Bump(x) + x
Next
CheckTyp "ByRef read before the call", p, CInt(150)
CheckTyp "ByRef read after the call", q, CInt(154)

WScript.Quit failures
