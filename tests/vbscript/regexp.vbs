' RegExp: the pattern dialect, text beyond ASCII, Test, Execute with Matches and SubMatches,
' Replace, the flags, errors, and patterns that would run away.
Set re = New RegExp

' Test: pattern, IgnoreCase, Multiline, subject, expected.
For Each fall In Array( _
    Array("^M.ller$", False, False, "Müller", True), Array("[äöü]", False, False, "ö", True), _
    Array("[a-z]", False, False, "ö", False), Array("ü", True, False, "Ü", True), _
    Array("MÜLLER", True, False, "müller", True), Array("ü", False, False, "Ü", False), _
    Array("^abc", False, False, "ABC", False), Array("^abc", True, False, "ABC", True), _
    Array("^\w+$", False, False, "Müller", False), _
    Array("\bfoo\b", False, False, "a foo b", True), _
    Array("\bfoo\b", False, False, "afoo", False), _
    Array("^\d{3}\D$", False, False, "123x", True), Array("^\s$", False, False, vbTab, True), _
    Array("(a)\1", False, False, "aa", True), Array("(a)\1", False, False, "ab", False), _
    Array("^(a)?\1b$", False, False, "b", True), _
    Array("a.c", False, False, "a" & vbLf & "c", False), _
    Array("a.c", False, False, "a" & vbCr & "c", False), Array("a.c", False, False, "aüc", True), _
    Array("a$", False, False, "a" & vbLf, False), _
    Array("^b", False, False, "a" & vbCrLf & "b", False), _
    Array("^b", False, True, "a" & vbCrLf & "b", True), _
    Array("a$", False, True, "a" & vbCrLf & "b", True), _
    Array("^\x41\u00fc$", False, False, "Aü", True), Array("^\101$", False, False, "A", True), _
    Array("^\cJ$", False, False, vbLf, True), Array("^[\b]$", False, False, Chr(8), True), _
    Array("^\z\A$", False, False, "zA", True), Array("[^]", False, False, vbLf, True), _
    Array("[]", False, False, "a", False), Array("^a{,2}$", False, False, "a{,2}", True), _
    Array("^[[:a]]$", False, False, ":]", True), Array("^[[:a]]$", False, False, "b]", False), _
    Array("^\uD83D\uDE00$", False, False, "😀", True), Array("a(?=b)", False, False, "ab", True), _
    Array("a(?!b)", False, False, "ab", False), Array("^(?:ab)+$", False, False, "abab", True))
  re.Pattern = fall(0)
  re.IgnoreCase = fall(1)
  re.MultiLine = fall(2)
  Check "Test /" & fall(0) & "/ " & fall(3), re.Test(fall(3)), fall(4)
Next
re.IgnoreCase = False
re.MultiLine = False

' Execute: pattern, Global, IgnoreCase, subject, the matches as value@FirstIndex/Length.
' FirstIndex and Length count characters, as Len does.
Function Treffer(ms)
  Dim m
  Treffer = ""
  For Each m In ms : Treffer = Treffer & m.Value & "@" & m.FirstIndex & "/" & m.Length & ";" : Next
End Function
For Each fall In Array( _
    Array("(\w+)@(\w+)\.com", True, False, "a@b.com, cc@dd.com", "a@b.com@0/7;cc@dd.com@9/9;"), _
    Array("(\w+)@(\w+)\.com", False, False, "a@b.com, cc@dd.com", "a@b.com@0/7;"), _
    Array("ü", True, True, "Müller Über", "ü@1/1;Ü@7/1;"), _
    Array("über", True, True, "ÜBER", "ÜBER@0/4;"), _
    Array("😀|b", True, False, "😀b", "😀@0/1;b@1/1;"), _
    Array("x*", True, False, "ab", "@0/0;@1/0;@2/0;"), _
    Array("a+?", True, False, "aa", "a@0/1;a@1/1;"), Array("a+", True, False, "aa", "aa@0/2;"), _
    Array("\d+", True, False, "abc", ""))
  re.Pattern = fall(0)
  re.Global = fall(1)
  re.IgnoreCase = fall(2)
  Check "Execute /" & fall(0) & "/ " & fall(3), Treffer(re.Execute(fall(3))), fall(4)
Next
re.IgnoreCase = False

re.Pattern = "(\w+)@(\w+)\.com"
re.Global = True
Set ms = re.Execute("a@b.com, cc@dd.com")
CheckEval Array("ms.Item(1) & """"", "cc@dd.com", "ms(0).SubMatches.Count", 2, _
    "ms(1).SubMatches(1)", "dd")
s = ""
For Each m In ms : s = s & m.SubMatches(0) & ";" : Next
Check "for each match", s, "a;cc;"
re.Pattern = "(a)|(b)"
Set m = re.Execute("b")(0)
Check "unmatched group is empty", IsEmpty(m.SubMatches(0)), True
Check "matched group", m.SubMatches(1), "b"
re.Pattern = "(ü+)(x)?"
Check "submatch beyond ASCII", re.Execute("Müü")(0).SubMatches(0), "üü"
Check "trailing unmatched group", IsEmpty(re.Execute("Müü")(0).SubMatches(1)), True

' Replace: pattern, Global, IgnoreCase, subject, replacement, expected.
For Each fall In Array( _
    Array("(\w+)@(\w+)\.com", True, False, "a@b.com", "$2 at $1", "b at a"), _
    Array("(ü)", True, True, "Über über", "[$1]", "[Ü]ber [ü]ber"), _
    Array("ä", True, False, "Bäume Äste", "ae", "Baeume Äste"), _
    Array("a", False, False, "a@b.com c@d.com", "x", "x@b.com c@d.com"), _
    Array("a*", True, False, "baaac", "-", "-b--c-"), _
    Array("\d+", True, False, "a1b22c333", "#", "a#b#c#"), _
    Array("^x", True, False, "x" & vbLf & "x", "y", "y" & vbLf & "x"))
  re.Pattern = fall(0)
  re.Global = fall(1)
  re.IgnoreCase = fall(2)
  Check "Replace /" & fall(0) & "/ " & fall(3), re.Replace(fall(3), fall(4)), fall(5)
Next
re.IgnoreCase = False

' A changed pattern or flag takes effect on the next call.
re.Pattern = "^x"
re.Global = True
Check "before multiline", re.Execute("x" & vbLf & "x").Count, 1
re.MultiLine = True
Check "multiline", re.Execute("x" & vbLf & "x").Count, 2
re.Pattern = "^y"
Check "new pattern", re.Execute("x" & vbLf & "y").Count, 1
re.MultiLine = False

' What the dialect does not have, and malformed patterns: pattern, error number.
On Error Resume Next
For Each fall In Array( _
    Array("(?<=a)b", 5017), Array("(?<n>a)", 5017), Array("(?i)a", 5017), Array("(?>a)", 5017), _
    Array("a\", 5017), Array("a)", 5017), Array("a*+", 5018), Array("a{2}+", 5018), _
    Array("*a", 5018), Array("[a", 5019), Array("(a", 5020), Array("[z-a]", 5021))
  re.Pattern = fall(0)
  Err.Clear
  b = re.Test("a")
  Check "error of /" & fall(0) & "/", Err.Number, fall(1)
Next

' Patterns that backtrack without end are a script error; the process goes on.
For Each fall In Array( _
    Array("(a|b)*c", String(20000, "a"), 0), Array("(a+)+$", String(40, "a") & "!", 28), _
    Array("(a|aa)*$", String(100000, "a") & "!", 28), Array("^(a|b)*$", String(100000, "a"), 0))
  re.Pattern = fall(0)
  Err.Clear
  b = re.Test(fall(1))
  Check "error of /" & fall(0) & "/ on " & Len(fall(1)) & " characters", Err.Number, fall(2)
Next
On Error GoTo 0
WScript.Quit failures
