' For … Next with negative and fractional steps, bounds evaluated once, Exit For, For Each.

s = ""
For i = 10 To 1 Step -3 : s = s & i & " " : Next
Check "negative step", s, "10 7 4 1 "
Check "counter after negative step", i, -2
n = 0
For x = 0 To 1 Step 0.25 : n = n + 1 : Next
Check "fractional step count", n, 5
Check "counter after fractional step", x, 1.25
n = 0
For i = 1 To 0 : n = n + 1 : Next
Check "no iteration", n, 0
Check "counter when no iteration", i, 1
n = 0
For i = 0 To -2 Step -1 : n = n + 1 : Next
Check "downwards", n, 3
hi = 3 : n = 0
For i = 1 To hi : hi = 10 : n = n + 1 : Next
Check "end evaluated once", n, 3
n = 0
For i = 1 To 10
  If i = 2 Then i = 8
  n = n + 1
Next
Check "counter changed in the body", n, 4
n = 0
For i = 1 To 3
  For j = 1 To 3
    If j = 2 Then Exit For
    n = n + 1
  Next
Next
Check "exit for leaves the inner loop", n, 3
n = 0
For i = 1 To 2.5 : n = n + 1 : Next
Check "fractional end", n, 2
n = 0
For i = 1.5 To 3 : n = n + 1 : Next
Check "fractional start", n, 2
Check "fractional start counter", i, 3.5
Check "integer counter type", TypeName(i), "Double"
For k = 1 To 2 : Next
Check "integer counter", TypeName(k), "Integer"
arr = Array(1, 2, 3) : total = 0
For Each v In arr
  total = total + v
  v = 0
Next
Check "for each", total, 6
Check "for each copies", arr(0), 1
Set d = CreateObject("Scripting.Dictionary")
d.Add "x", 1 : d.Add "y", 2
keys = ""
For Each k In d : keys = keys & k : Next
Check "for each dictionary keys", keys, "xy"
On Error Resume Next
For Each v In 5 : Next
Check "for each on a number", Err.Number, 451
WScript.Quit failures
