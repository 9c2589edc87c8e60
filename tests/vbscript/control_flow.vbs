' Control flow: If forms, the Do and While loops, Exit Do, line continuation and comments
' (For: for_loops.vbs, Select Case: select_case.vbs, With: with_blocks.vbs).

Dim r, i, n
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
r = 1 + _
    2
Check "line continuation", r, 3
Rem a comment
Check "after rem", r, 3 ' trailing comment
WScript.Quit failures
