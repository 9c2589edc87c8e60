' RegExp.Replace: $ forms in the replacement text, a group that does not exist stays as written.
Set re = CreateObject("VBScript.RegExp")  ' New RegExp is the class below
re.Global = True
For Each fall In Array( _
    Array("(a)(b)", "ab-ab", "[$2$1]", "[ba]-[ba]"), Array("(a)(b)", "ab", "$3", "$3"), _
    Array("(a)(b)", "ab", "$0", "$0"), Array("(a)(b)", "ab", "$10", "a0"), _
    Array("(a)", "xay", "<$&>", "x<a>y"), _
    Array("(a)", "xay", "$`|$'", "xx|yy"), _
    Array("a", "aa", "$$", "$$"), _
    Array("a", "aa", "$", "$$"), _
    Array("(a)|(b)", "ab", "[$2]", "[][b]"), _
    Array("x", "abc", "y", "abc"))
  re.Pattern = fall(0)
  Check "Replace(" & fall(1) & ", " & fall(2) & ")", re.Replace(fall(1), fall(2)), fall(3)
Next
re.Global = False
re.Pattern = "a"
Check "first only", re.Replace("aaa", "b"), "baa"

' A script class of that name takes the place of the built-in one.
Class RegExp
  Public Pattern
  Public Function Replace(s, t) : Replace = "own" : End Function
End Class
Set eigen = New RegExp
Check "own RegExp class", eigen.Replace("a", "b"), "own"
WScript.Quit failures
