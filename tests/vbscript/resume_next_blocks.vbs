' On Error Resume Next and block headers: a header that fails abandons only itself, Err holds the
' error, and the statement after the header runs (the branch or body it opens, or for Loop While
' and Select Case the statement after the block). The same in procedures, methods and at script
' level; On Error GoTo 0 makes a failing header stop the procedure again.

Function Boom() : Boom = 1 / 0 : End Function
Class Leer
  Public X
End Class

' Runs every header form once; `wo` names the place in the check names.
Sub Kopfzeilen(wo)
  Dim t, n, k, x, v
  On Error Resume Next
  Err.Clear
  t = ""
  If Boom() Then
    t = t & "T" & Err.Number
  Else
    t = t & "E"
  End If
  Check wo & ": If runs Then", t, "T11"
  t = ""
  If False Then
    t = "1"
  ElseIf Boom() Then
    t = "2"
  Else
    t = "3"
  End If
  Check wo & ": ElseIf runs its branch", t, "2"
  t = ""
  If Boom() Then t = "then" Else t = "else"
  Check wo & ": one-line If runs Then", t, "then"
  t = ""
  If Boom() Then t = "a" : t = t & "b"
  Check wo & ": one-line If runs all of Then", t, "ab"

  n = 0 : k = 0
  Do While 10 / k > 1
    n = n + 1 : k = 100
  Loop
  Check wo & ": Do While runs the body", n, 1
  n = 0 : k = 0
  Do Until 10 / k < 1
    n = n + 1 : k = 100
  Loop
  Check wo & ": Do Until runs the body", n, 1
  n = 0
  Do
    n = n + 1
  Loop While Boom()
  Check wo & ": Loop While ends the loop", n, 1
  n = 0
  Do
    n = n + 1
  Loop Until Boom()
  Check wo & ": Loop Until ends the loop", n, 1
  n = 0 : k = 0
  While 10 / k > 1
    n = n + 1 : k = 100
  Wend
  Check wo & ": While runs the body", n, 1
  t = "" : n = 0
  While n < 3
    n = n + 1
    x = 1 / 0
    t = t & n
  Wend
  Check wo & ": While body goes on after an error", t, "123"

  x = 7 : n = 0
  For x = Boom() To 3
    n = n + 1
  Next
  Check wo & ": For with a failing start runs once", n, 1
  Check wo & ": For with a failing start keeps the counter", x, 7
  x = 7 : n = 0
  For x = 1 To Boom()
    n = n + 1
  Next
  Check wo & ": For with a failing end runs once", n, 1
  Check wo & ": For with a failing end keeps the counter", x, 7
  x = 7 : n = 0
  For x = 1 To 3 Step Boom()
    n = n + 1
  Next
  Check wo & ": For with a failing step runs once", n, 1
  x = "alt" : n = 0
  For Each x In Boom()
    n = n + 1
  Next
  Check wo & ": For Each runs once", n, 1
  Check wo & ": For Each keeps the variable", x, "alt"

  t = ""
  Select Case Boom()
    Case 1 : t = "1"
    Case Else : t = "else"
  End Select
  Check wo & ": Select Case runs no branch", t, ""
  t = ""
  Select Case 2
    Case 1 : t = "1"
    Case Boom() : t = "failing case"
    Case 2 : t = "2"
  End Select
  Check wo & ": a failing Case runs its branch", t, "failing case"

  n = 0 : v = 0
  Err.Clear
  With Boom()
    n = n + 1
    .X = 5
    v = Err.Number
    n = n + 1
  End With
  Check wo & ": With runs its block", n, 2
  Check wo & ": members of a failed With fail", v <> 0 And v <> 11, True

  ' Nested: the inner header fails inside an outer loop and branch.
  t = ""
  For k = 1 To 2
    If k = 2 Then
      Select Case Boom()
        Case Else : t = t & "x"
      End Select
      t = t & "s"
    End If
    Do While Boom()
      t = t & k
      Exit Do
    Loop
  Next
  Check wo & ": nested headers", t, "1s2"
End Sub

Class Pruefer
  Public Sub Lauf() : Kopfzeilen "method" : End Sub
  Public Function Zweig()
    On Error Resume Next
    Zweig = "none"
    If Me.Fehlt() Then Zweig = "then"
  End Function
End Class

Kopfzeilen "sub"
Set p = New Pruefer
p.Lauf
Check "method: If on a missing member", p.Zweig(), "then"

' Script level.
On Error Resume Next
t = ""
If Boom() Then t = "then" Else t = "else"
Check "script: one-line If", t, "then"
t = ""
Select Case Boom()
  Case Else : t = "else"
End Select
Check "script: Select Case", t, ""
n = 0
For Each x In Nothing
  n = n + 1
Next
Check "script: For Each over Nothing runs once", n, 1

' On Error GoTo 0 stops at a failing header again.
Dim spur
Sub Streng()
  On Error GoTo 0
  spur = "before"
  If Boom() Then spur = "then"
  spur = "after"
End Sub
Err.Clear
Streng
Check "goto 0: the header stops the procedure", spur, "before"
Check "goto 0: the caller sees the error", Err.Number, 11
WScript.Quit failures
