' Scripting.Dictionary: CompareMode, keys of different types, Item, Keys/Items, Key rename, errors.

Set d = CreateObject("Scripting.Dictionary")
Check "binary by default", d.CompareMode, vbBinaryCompare
d.CompareMode = vbTextCompare
d.Add "Key", 1
Check "text mode exists ignores case", d.Exists("KEY"), True
Check "text mode item", d("kEy"), 1
On Error Resume Next
d.Add "key", 2
Check "text mode duplicate", Err.Number, 457
Err.Clear
d.CompareMode = vbBinaryCompare
Check "mode fixed once filled", Err.Number, 5
Err.Clear
On Error GoTo 0
Set b = CreateObject("Scripting.Dictionary")
b.Add "a", 1
b.Add "A", 2
Check "binary mode keeps both", b.Count, 2
b.Add 1, "number"
b.Add "1", "text"
Check "number and text keys differ", b(1) & b("1"), "numbertext"
x = b("missing")
Check "reading a missing key adds it", b.Exists("missing"), True
b.Remove "missing"
b("new") = 5
Check "assigning adds", b("new"), 5
b.Key("new") = "renamed"
Check "key rename", b("renamed"), 5
k = b.Keys
Check "keys in order", k(0) & k(1) & k(2) & k(3) & k(4), "aA11renamed"
it = b.Items
Check "items", it(4), 5
Check "keys is an array", IsArray(k), True
b.RemoveAll
Check "remove all", b.Count, 0
On Error Resume Next
b.Remove "none"
Check "remove missing", Err.Number, 32811
WScript.Quit failures
