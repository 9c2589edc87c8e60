' Control flow: If forms, Select Case, all loops, Exit, With.

Dim r, i, j, n
If 1 < 2 Then r = "yes" Else r = "no"
Check "one-line if", r, "yes"
If False Then r = 1 : r = 2 Else r = 3 : r = r + 1
Check "one-line else with colons", r, 4
n = 5
If n < 3 Then
  r = "small"
ElseIf n < 10 Then
  r = "medium"
Else
  r = "large"
End If
Check "elseif", r, "medium"
For Each n In Array(1, 4, 7, 12, "x")
  Select Case n
    Case 1, 2 : r = "list"
    Case 3 To 5 : r = "range"
    Case "x" : r = "text"
    Case Is >= 10 : r = "is"
    Case Else : r = "else"
  End Select
  Check "select " & n, r, Array("list", "range", "else", "is", "text")(i)
  i = i + 1
Next
r = 0
For i = 10 To 1 Step -3 : r = r + i : Next
Check "for step down", r, 22
Check "for leaves counter past end", i, -2
r = 0
For i = 1 To 3
  For j = 1 To 3
    If j = 2 Then Exit For
    r = r + 1
  Next
Next
Check "exit inner for", r, 3
i = 0
Do While i < 5 : i = i + 1 : Loop
Check "do while", i, 5
Do : i = i - 1 : Loop Until i <= 0
Check "loop until", i, 0
Do
  i = i + 1
  If i = 7 Then Exit Do
Loop
Check "exit do", i, 7
While i > 0 : i = i - 2 : Wend
Check "while wend", i, -1
r = ""
For i = 0.5 To 2 Step 0.5 : r = r & i & ";" : Next
Check "fractional step", r, "0.5;1;1.5;2;"
Set d = CreateObject("Scripting.Dictionary")
With d
  .Add "k", 1
  .Item("k") = .Item("k") + 1
End With
Check "with", d("k"), 2
r = 1 + _
    2
Check "line continuation", r, 3
Rem a comment
Check "after rem", r, 3 ' trailing comment
WScript.Quit failures
