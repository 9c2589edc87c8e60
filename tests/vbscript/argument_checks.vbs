' The string, sign and date functions check their numeric arguments from left to right (error 94
' for Null, 13 for what is no number, 5 for a value outside the range) before a Null text or date
' makes the result Null; RGB.

Function IstNull(ausdruck)
  On Error Resume Next
  IstNull = IsNull(Eval(ausdruck))
  If Err.Number <> 0 Then IstNull = "Fehler " & Err.Number
End Function

d = #1/15/2024#
' Expression, error number.
For Each fall In Array( _
    Array("Left(Null, -1)", 5), Array("Left(Null, Null)", 94), Array("Left(Null, ""x"")", 13), _
    Array("Left(""abc"", Null)", 94), Array("Right(Null, -1)", 5), Array("Right(""abc"", Null)", 94), _
    Array("Right(Null, ""x"")", 13), _
    Array("Mid(Null, 0)", 5), Array("Mid(Null, 1, -1)", 5), Array("Mid(""abc"", Null)", 94), _
    Array("Mid(""abc"", 1, Null)", 94), Array("Mid(""abc"", ""x"")", 13), _
    Array("Mid(""abc"", 0, ""x"")", 5), Array("Mid(""abc"", ""x"", -1)", 13), _
    Array("InStr(Null, ""a"", ""b"")", 94), Array("InStr(0, Null, ""a"")", 5), _
    Array("InStr(""abc"", ""b"", 1)", 13), Array("InStr(1, Null, ""a"", 2)", 5), _
    Array("InStr(1, ""a"", ""b"", Null)", 94), Array("InStr(1, ""a"", ""b"", ""x"")", 13), _
    Array("InStr(1, Null, ""a"", -1)", 5), _
    Array("InStrRev(Null, ""a"", 0)", 5), Array("InStrRev(""abc"", ""a"", Null)", 94), _
    Array("InStrRev(""abc"", Null, -2)", 5), Array("InStrRev(""abc"", ""b"", -1, 2)", 5), _
    Array("InStrRev(Null, ""b"", 1, ""x"")", 13), _
    Array("Split(""a b"", "" "", -2)", 5), Array("Split(""a b"", "" "", ""x"")", 13), _
    Array("Split(""a b"", "" "", Null)", 94), Array("Split(""a b"", "" "", -1, 2)", 5), _
    Array("Replace(Null, ""a"", ""b"", 0)", 5), Array("Replace(""abc"", ""b"", ""x"", 1, -2)", 5), _
    Array("Replace(Null, ""a"", ""b"", 1, -1, 2)", 5), Array("Replace(""abc"", ""b"", ""x"", Null)", 94), _
    Array("Replace(""abc"", ""b"", ""x"", ""x"")", 13), _
    Array("Sgn(Null)", 94), Array("Sgn(""x"")", 13), Array("Sgn("""")", 13), _
    Array("Weekday(Null, 8)", 5), Array("Weekday(d, Null)", 94), Array("Weekday(""x"")", 13), _
    Array("Weekday(Null, ""x"")", 13), Array("Weekday(d, -1)", 5), _
    Array("DateAdd(Null, 1, d)", 94), Array("DateAdd(""x"", 1, d)", 5), _
    Array("DateAdd(""x"", Null, d)", 5), Array("DateAdd(""d"", ""x"", d)", 13), _
    Array("DateAdd(""d"", 1, ""x"")", 13), Array("DateAdd(""d"", Null, ""x"")", 13), _
    Array("RGB(-1, 0, 0)", 5), Array("RGB(0, Null, 0)", 94), Array("RGB(0, 0, ""x"")", 13), _
    Array("RGB(0, 0)", 450))
  Check "error of " & fall(0), Fehler(fall(0)), fall(1)
Next

' Calls whose result is Null.
For Each ausdruck In Array("Left(Null, 2)", "Right(Null, 0)", "Mid(Null, 2)", "Mid(Null, 1, 1)", _
    "InStr(Null, ""a"")", "InStr(""a"", Null)", "InStr(2, Null, ""a"", 1)", "InStrRev(Null, ""a"")", _
    "InStrRev(""a"", Null, 1, 0)", "Replace(Null, ""a"", ""b"", 2, 1, 1)", "Weekday(Null)", _
    "Weekday(Null, 2)", "DateAdd(""d"", Null, d)", "DateAdd(""d"", 1, Null)", _
    "DateAdd(""m"", Null, Null)")
  Check ausdruck & " is Null", IstNull(ausdruck), True
Next

CheckEval Array("InStr(1, ""abc"", ""B"", 1)", 2, _
    "InStrRev(""abcb"", ""B"", -1, vbTextCompare)", 4, "Sgn(Empty)", 0, "Sgn(""-5"")", -1)
CheckTyp "RGB", RGB(255, 0, 0), CLng(255)
CheckTyp "RGB of all three", RGB(1, 2, 3), CLng(197121)
CheckEval Array("RGB(256, 300, 1000)", &hFFFFFF, "RGB(1.5, 0, 0)", 2, _
    "RGB(""1"", ""0"", ""0"")", 1, "RGB(255, 0, 0)", vbRed)
WScript.Quit failures
