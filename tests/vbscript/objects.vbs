' Scripting.Dictionary and VBScript.RegExp.
Set d = CreateObject("Scripting.Dictionary")
d.Add "b", 1
d.Add "a", 2
d("c") = 3
Check "count", d.Count, 3
Check "keys in order", Join(d.Keys, ","), "b,a,c"
Check "items", Join(d.Items, ","), "1,2,3"
Check "exists", d.Exists("a"), True
Check "exists case", d.Exists("A"), False
x = d("missing")
Check "reading adds the key", d.Exists("missing"), True
d.Remove "missing"
d.Key("b") = "bb"
Check "rename key", Join(d.Keys, ","), "bb,a,c"
n = ""
For Each k In d : n = n & k : Next
Check "for each keys", n, "bbac"
d.RemoveAll
Check "remove all", d.Count, 0
d.CompareMode = vbTextCompare
d.Add "Key", 1
Check "text mode", d.Exists("KEY"), True
d.Add 1, "one"
Check "number key", d(1), "one"
Check "number and text keys differ", d.Exists("1"), False
Set re = New RegExp
Set re = CreateObject("VBScript.RegExp")
re.Pattern = "(\d+)-(\d+)"
re.Global = True
Check "test", re.Test("a 12-34 b"), True
Set ms = re.Execute("12-34 and 5-6")
Check "matches", ms.Count, 2
Check "match value", ms(1).Value, "5-6"
Check "first index", ms(1).FirstIndex, 10
Check "submatch", ms(0).SubMatches(1), "34"
Check "replace", re.Replace("1-2 3-4", "$2+$1"), "2+1 4+3"
re.Global = False
Check "replace first", re.Replace("1-2 3-4", "x"), "x 3-4"
re.Pattern = "abc"
re.IgnoreCase = True
Check "ignore case", re.Test("xABCx"), True
WScript.Quit failures
