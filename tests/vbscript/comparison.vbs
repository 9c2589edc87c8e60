' Comparing strings with numbers: variables, literals, Empty, Booleans, case.

s10 = "10" : s9 = "9" : n9 = 9 : n10 = 10
Check "two strings compare as text", s10 < s9, True
Check "string with number literal compares as number", s10 < 9, False
Check "number literal on the left", 9 < s10, True
Check "string variable is greater than number variable", s10 > n9, True
Check "even a small one", "1" & "" > n10, True
Check "string variable never equals number variable", s10 = n10, False
Check "empty equals zero", Empty = 0, True
Check "empty equals empty string", Empty = "", True
Dim e
Check "uninitialized variable equals 0", e = 0, True
Check "true is -1", True = -1, True
Check "integer and double", CInt(1) = CDbl(1), True
Check "binary text compare", "abc" = "ABC", False
Check "strcomp text", StrComp("abc", "ABC", vbTextCompare), 0
Check "strcomp binary", StrComp("abc", "ABC"), 1
Check "strcomp less", StrComp("a", "b"), -1
Check "strcomp null", IsNull(StrComp(Null, "a")), True
Check "long string greater", "ab" > "a", True
Check "date against date", #1/1/2024# < #1/2/2024#, True
Check "number against date", CDbl(#1/1/2024#) = #1/1/2024#, True
On Error Resume Next
Set o = New RegExp
b = (o = 1)
Check "object without default", Err.Number, 438
WScript.Quit failures
