' String functions, with characters counted as characters.
Check "len", Len("hello"), 5
Check "len umlauts", Len("äöü"), 3
Check "len null", IsNull(Len(Null)), True
Check "left", Left("hello", 2), "he"
Check "right", Right("hello", 3), "llo"
Check "mid", Mid("hello", 2, 3), "ell"
Check "mid to end", Mid("hello", 4), "lo"
Check "mid umlaut", Mid("aäb", 2, 1), "ä"
Check "instr", InStr("abcabc", "c"), 3
Check "instr start", InStr(4, "abcabc", "c"), 6
Check "instr text compare", InStr(1, "ABC", "b", vbTextCompare), 2
Check "instr missing", InStr("abc", "z"), 0
Check "instrrev", InStrRev("abcabc", "b"), 5
Check "lcase", LCase("ÄBC"), "äbc"
Check "ucase", UCase("äbc"), "ÄBC"
Check "trim", Trim("  x  "), "x"
Check "ltrim", LTrim("  x "), "x "
Check "rtrim", RTrim(" x  "), " x"
Check "replace", Replace("a-b-c", "-", "+"), "a+b+c"
Check "replace count", Replace("aaaa", "a", "b", 1, 2), "bbaa"
Check "replace start", Replace("abcabc", "a", "x", 3), "cxbc"
Check "replace text", Replace("AbA", "a", "x", 1, -1, vbTextCompare), "xbx"
Check "split count", UBound(Split("a,b,c", ",")), 2
Check "split limit", Split("a,b,c", ",", 2)(1), "b,c"
Check "split empty", UBound(Split("")), -1
Check "join", Join(Array(1, 2, 3), "-"), "1-2-3"
Check "space", Space(3), "   "
Check "string", String(3, "ab"), "aaa"
Check "string code", String(2, 65), "AA"
Check "strcomp", StrComp("a", "B"), 1
Check "strcomp text", StrComp("a", "A", 1), 0
Check "strreverse", StrReverse("abc"), "cba"
Check "asc", Asc("A"), 65
Check "asc euro", Asc("€"), 128
Check "ascw euro", AscW("€"), 8364
Check "chr", Chr(65), "A"
Check "chr 128", Chr(128), "€"
Check "chrw", ChrW(228), "ä"
Check "filter", Join(Filter(Array("ab", "cd", "abc"), "ab"), ","), "ab,abc"
Check "filter exclude", Join(Filter(Array("ab", "cd"), "ab", False), ","), "cd"
Check "vbcrlf", Len(vbCrLf), 2
Check "quote escape", "say ""hi""", "say " & Chr(34) & "hi" & Chr(34)
Check "formatnumber", FormatNumber(1234.567, 2), "1,234.57"
Check "formatnumber no group", FormatNumber(1234.5, 1, , , 0), "1234.5"
Check "formatpercent", FormatPercent(0.256, 1), "25.6%"
s = ""
For i = 1 To 1000 : s = s & "x" : Next
Check "append in place", Len(s), 1000
WScript.Quit failures
