' String functions, with characters counted as characters.
CheckEval Array("Len(""hello"")", 5, "Len(""äöü"")", 3, "IsNull(Len(Null))", True, _
    "Left(""hello"", 2)", "he", "Right(""hello"", 3)", "llo", "Mid(""hello"", 2, 3)", "ell", _
    "Mid(""hello"", 4)", "lo", "Mid(""aäb"", 2, 1)", "ä", "InStr(""abcabc"", ""c"")", 3, _
    "InStr(4, ""abcabc"", ""c"")", 6, "InStr(1, ""ABC"", ""b"", vbTextCompare)", 2, _
    "InStr(""abc"", ""z"")", 0, "InStrRev(""abcabc"", ""b"")", 5, "LCase(""ÄBC"")", "äbc", _
    "UCase(""äbc"")", "ÄBC", "Trim(""  x  "")", "x", "LTrim(""  x "")", "x ", _
    "RTrim("" x  "")", " x", "Replace(""a-b-c"", ""-"", ""+"")", "a+b+c", _
    "Replace(""aaaa"", ""a"", ""b"", 1, 2)", "bbaa", _
    "Replace(""abcabc"", ""a"", ""x"", 3)", "cxbc", _
    "Replace(""AbA"", ""a"", ""x"", 1, -1, vbTextCompare)", "xbx", _
    "UBound(Split(""a,b,c"", "",""))", 2, "Split(""a,b,c"", "","", 2)(1)", "b,c", _
    "UBound(Split(""""))", -1, "Join(Array(1, 2, 3), ""-"")", "1-2-3", "Space(3)", "   ", _
    "String(3, ""ab"")", "aaa", "String(2, 65)", "AA", "StrComp(""a"", ""B"")", 1, _
    "StrComp(""a"", ""A"", 1)", 0, "StrReverse(""abc"")", "cba", "Asc(""A"")", 65, _
    "Asc(""€"")", 128, "AscW(""€"")", 8364, "Chr(65)", "A", "Chr(128)", "€", "ChrW(228)", "ä", _
    "Join(Filter(Array(""ab"", ""cd"", ""abc""), ""ab""), "","")", "ab,abc", _
    "Join(Filter(Array(""ab"", ""cd""), ""ab"", False), "","")", "cd", "Len(vbCrLf)", 2, _
    """say """"hi""""""", "say " & Chr(34) & "hi" & Chr(34), _
    "FormatNumber(1234.567, 2)", "1,234.57", "FormatNumber(1234.5, 1, , , 0)", "1234.5", _
    "FormatPercent(0.256, 1)", "25.6%")
s = ""
For i = 1 To 1000 : s = s & "x" : Next
Check "append in place", Len(s), 1000
WScript.Quit failures
