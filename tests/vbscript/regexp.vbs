' RegExp: Test, Execute with Matches and SubMatches, Replace with group references, flags.

Set re = New RegExp
re.Pattern = "(\w+)@(\w+)\.com"
re.Global = True
Set ms = re.Execute("a@b.com, cc@dd.com")
Check "match count", ms.Count, 2
Check "match value", ms(0).Value, "a@b.com"
Check "default member is the value", ms.Item(1) & "", "cc@dd.com"
Check "first index", ms(1).FirstIndex, 9
Check "length", ms(1).Length, 9
Check "submatch count", ms(0).SubMatches.Count, 2
Check "submatch", ms(1).SubMatches(1), "dd"
s = ""
For Each m In ms : s = s & m.SubMatches(0) & ";" : Next
Check "for each match", s, "a;cc;"
Check "replace groups", re.Replace("a@b.com", "$2 at $1"), "b at a"
Check "replace whole match", re.Replace("x a@b.com", "<$&>"), "x <a@b.com>"
Check "replace dollar", re.Replace("a@b.com", "$$"), "$"
re.Global = False
Check "non-global execute", re.Execute("a@b.com c@d.com").Count, 1
Check "non-global replace", re.Replace("a@b.com c@d.com", "x"), "x c@d.com"
re.Pattern = "^abc"
Check "case sensitive", re.Test("ABC"), False
re.IgnoreCase = True
Check "ignore case", re.Test("ABC"), True
re.Pattern = "(a)|(b)"
Set m = re.Execute("b")(0)
Check "unmatched group is empty", IsEmpty(m.SubMatches(0)), True
Check "matched group", m.SubMatches(1), "b"
re.Pattern = "\d+"
re.Global = True
Check "no match count", re.Execute("abc").Count, 0
Check "replace all digits", re.Replace("a1b22c333", "#"), "a#b#c#"
re.Pattern = "^x"
re.MultiLine = True
Check "multiline", re.Execute("x" & vbLf & "x").Count, 2
On Error Resume Next
re.Pattern = "("
b = re.Test("a")
Check "bad pattern", Err.Number <> 0, True
WScript.Quit failures
