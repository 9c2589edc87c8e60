' With blocks: members of the object, nesting, calls inside, the object evaluated once.

Class Point
  Public X, Y
End Class
Dim made : made = 0
Function MakePoint() : made = made + 1 : Set MakePoint = New Point : End Function
Function SumOf(p) : SumOf = p.X + p.Y : End Function

Set d = CreateObject("Scripting.Dictionary")
With d
  .Add "a", 1
  .Add "b", 2
  Check "count inside", .Count, 2
End With
Check "count after", d.Count, 2
With MakePoint()
  .X = 3
  .Y = 4
  Check "object made once", made, 1
  Check "fields read back", .X * .Y, 12
End With
Set p = New Point
With p
  .X = 1
  Set q = New Point
  With q
    .X = 10
  End With
  .Y = 2
  Check "inner with leaves the outer", SumOf(p), 3
End With
Check "inner object", q.X, 10
With p
  .X = 5 : If .X > 4 Then .Y = 6
End With
Check "one-line statements inside", p.Y, 6
WScript.Quit failures
