' Array elements passed to a ByRef parameter: the callee's changes reach the element, in every call
' form, for every dimension and for arrays held in class members; parentheses pass a copy.
' IsNumeric looks at an object's default property.

Sub SetOne(ByRef a) : a = 1 : End Sub
Sub Twice(a) : a = a * 2 : End Sub
Function Bump(a) : a = a + 10 : Bump = a : End Function

Dim arr(2), grid(1, 1), outer(1), inner(1)
arr(0) = 0 : arr(1) = 5
SetOne arr(0) : Check "statement call", arr(0), 1
arr(0) = 0
Call SetOne(arr(0)) : Check "Call", arr(0), 1
arr(0) = 0
SetOne (arr(0)) : Check "parenthesized element is a copy", arr(0), 0
Call SetOne((arr(0))) : Check "Call with inner parentheses is a copy", arr(0), 0
Twice arr(1) : Check "read and written", arr(1), 10
Check "function call", Bump(arr(1)), 20
Check "function call changes the element", arr(1), 20
i = 2 : arr(2) = 3
Twice arr(i) : Check "index from a variable", arr(2), 6
grid(1, 0) = 4
Twice grid(1, 0) : Check "two dimensions", grid(1, 0), 8
Check "other element untouched", IsEmpty(grid(0, 1)), True
inner(1) = 7 : outer(0) = inner
Twice outer(0)(1) : Check "element of a nested array", outer(0)(1), 14
Dim dyn() : ReDim dyn(1) : dyn(1) = 21
Twice dyn(1) : Check "dynamic array", dyn(1), 42
v = Array(1, 2)
SetOne v(1) : Check "array in a variable", v(1), 1

Class Halter
  Public Werte
  Private Intern(1)
  Sub Class_Initialize : Werte = Array(3, 4) : Intern(0) = 2 : End Sub
  Sub Verdoppeln : Twice Intern(0) : Twice Werte(1) : End Sub
  Function InternWert : InternWert = Intern(0) : End Function
End Class
Set h = New Halter
Twice h.Werte(0) : Check "public member array", h.Werte(0), 6
h.Verdoppeln
Check "member array inside the class", h.InternWert, 4
Check "public member array inside the class", h.Werte(1), 8
With h
  Twice .Werte(0) : Check "member array through With", h.Werte(0), 12
End With

' A failing callee still leaves its change in the element.
Sub SetAndFail(a) : a = "gesetzt" : Err.Raise 5 : End Sub
On Error Resume Next
SetAndFail arr(0)
Check "error in the callee", Err.Number, 5
On Error GoTo 0
Check "element set before the error", arr(0), "gesetzt"

Class Zahl
  Public Default Property Get Wert : Wert = 42 : End Property
End Class
Class Text
  Public Default Property Get Wert : Wert = "abc" : End Property
End Class
Class Ohne
  Public x
End Class
CheckEval Array("IsNumeric(New Zahl)", True, "IsNumeric(New Text)", False, _
    "IsNumeric(New Ohne)", False, "IsNumeric(Nothing)", False)
WScript.Quit failures
