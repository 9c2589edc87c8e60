' Comparing strings with numbers: variables, literals, Empty, Booleans, case.

s10 = "10" : s9 = "9" : n9 = 9 : n10 = 10
CheckEval Array("s10 < s9", True, "s10 < 9", False, "9 < s10", True, "s10 > n9", True, _
    """1"" & """" > n10", True, "s10 = n10", False, "Empty = 0", True, "Empty = """"", True)
Dim e
CheckEval Array("e = 0", True, "True = -1", True, "CInt(1) = CDbl(1)", True, _
    """abc"" = ""ABC""", False, "StrComp(""abc"", ""ABC"", vbTextCompare)", 0, _
    "StrComp(""abc"", ""ABC"")", 1, "StrComp(""a"", ""b"")", -1, _
    "IsNull(StrComp(Null, ""a""))", True, """ab"" > ""a""", True, _
    "#1/1/2024# < #1/2/2024#", True, "CDbl(#1/1/2024#) = #1/1/2024#", True)
On Error Resume Next
Set o = New RegExp
b = (o = 1)
Check "object without default", Err.Number, 438
WScript.Quit failures
