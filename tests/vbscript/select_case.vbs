' Select Case: lists, ranges with To, Is comparisons, Case Else, first match wins.

Function Grade(n)
  Select Case n
    Case Is >= 90 : Grade = "A"
    Case 80 To 89 : Grade = "B"
    Case 70, 75, 79 : Grade = "C"
    Case Is < 0, Is > 100 : Grade = "?"
    Case Else : Grade = "F"
  End Select
End Function
CheckEval Array("Grade(95)", "A", "Grade(80)", "B", "Grade(89)", "B", "Grade(75)", "C", _
    "Grade(74)", "F", "Grade(-1)", "?", "Grade(85.5)", "B")
Select Case "b"
  Case "a" To "c" : s = "text range"
  Case Else : s = "no"
End Select
Check "text range", s, "text range"
Select Case "B"
  Case "b" : s = "binary"
  Case Else : s = "case matters"
End Select
Check "text compare is binary", s, "case matters"
hits = ""
Function Hit(v) : hits = hits & v : Hit = v : End Function
Select Case 2
  Case Hit(1), Hit(2), Hit(3) : s = "two"
End Select
Check "stops at the first match", hits, "12"
Select Case 1
  Case 1 : s = "first"
  Case 1 : s = "second"
End Select
Check "first matching case wins", s, "first"
Select Case Null
  Case Null : s = "null matched"
  Case Else : s = "null never equal"
End Select
Check "null", s, "null never equal"
x = 0
Select Case x
End Select
Check "empty select", x, 0
WScript.Quit failures
