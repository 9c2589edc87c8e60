' Forms the parser takes: "><", one-line If with colons and empty parts, procedures declared
' inside blocks, parenthesized expressions that start a chain, non-reserved words as names,
' End Sub after a statement, "." outside With (error 505 when it runs), Const in a block that
' never runs, and statement forms that must parse (in a procedure that never runs).

Dim r, Step, Property, Default, Erase, Error, Explicit
Check "><", 1 >< 2, True
Check ">< on equal values", 3 >< 3, False

r = ""
If True Then :
If True Then : r = r & "a"
If True Then r = r & "b" : r = r & "c" Else r = r & "x"
If False Then r = r & "x" : Else r = r & "d" :
If False Then Else r = r & "e"
If True Then r = r & "f" End If
Check "one-line If forms", r, "abcdef"

If True Then
  Sub ImIf(x) : r = "sub " & x : End Sub
  Function ImIfF() : ImIfF = "function" : End Function
End If
For i = 1 To 1
  Function InDerSchleife() : InDerSchleife = "loop" : End Function
Next
ImIf 1
Check "Sub declared inside If", r, "sub 1"
Check "Function declared inside If", ImIfF(), "function"
Check "Function declared inside a loop", InDerSchleife(), "loop"
Check "Function declared before its block is used", FruehGerufen(), 42
If False Then
  Function FruehGerufen() : FruehGerufen = 42 : End Function
End If

Class K
  Public P, Step, Property, Default
  Public Function M() : M = "m" & P : End Function
  Private Sub Class_Initialize() : P = 7 : End Sub
End Class
Function Sieben() : Sieben = 7 : End Function
Function Mal2(x) : Mal2 = x * 2 : End Function
Check "(New K).P", (New K).P, 7
Check "(New K).M()", (New K).M(), "m7"
Call (New K).M
Call (New K).M()
Function Feld() : Feld = Array(1, 2, 3, 4, 5) : End Function
Check "(f)(4)", (Feld)(4), 5
Set getter = GetRef("Mal2")
Check "(ref)(4)", (getter)(4), 8

Step = 1 : Property = 2 : Default = 3 : Erase = 4 : Error = 5 : Explicit = 6
Check "non-reserved words as variables", Step + Property + Default + Erase + Error + Explicit, 21
Set obj = New K
obj.Step = "s" : obj.Property = "p" : obj.Default = "d"
Check "non-reserved words as members", obj.Step & obj.Property & obj.Default, "spd"
Function MitStep(step, property, default) : MitStep = step & property & default : End Function
Check "non-reserved words as arguments", MitStep(1, 2, 3), "123"
Dim liste(2)
Erase liste
For Step = 1 To 5 Step 2 : Next
Check "Step as loop variable", Step, 7

Sub Kurz()
  r = "short" End Sub
Function KurzF() : KurzF = "shortf" End Function
Kurz
Check "End Sub after a statement", r, "short"
Check "End Function after a statement", KurzF(), "shortf"

Sub OhneWith()
  .x = 1
End Sub
On Error Resume Next
OhneWith
Check "'.' outside With is error 505", Err.Number, 505
Err.Clear
On Error GoTo 0

If False Then Const NieGelaufen = 5
Check "Const in a branch that never runs", NieGelaufen, 5
Sub MitKonstante()
  If False Then
    Const Lokal = "lokal"
  End If
  r = Lokal
End Sub
MitKonstante
Check "local Const in a branch that never runs", r, "lokal"

Sub NurGeparst()
  F 1, , 3 : F (1), 2
  x = a.b(1).c.d(2)(3)
  x = -2 ^ -2 * 3 \ 2 Mod 5 & "s" = 1 Imp Not a Eqv b Xor c Or d And e
  x = #1/31/2024# + #10:30 PM# + &HFF& + &O17 + 1.5E-3 + .5
  x = [my var] : Erase a, b
  x = obj.End + obj.Next
  With obj : .a = 1 : .b.c(2) = .d : End With
  For i = 1 To 10 Step 2
  Next i
  Do Until x
  Loop
  Do
  Loop While y
  Select Case x
  Case 1, 2 To 3, Is > 4
  Case Else
  End Select
End Sub
Check "time and exponent literals", #10:30 PM# + 1.5E-3 * 1000 + .5, #10:30 PM# + 2
WScript.Quit failures
