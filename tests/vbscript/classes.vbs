' Classes: fields, properties, default member, Initialize/Terminate, Me, Set/Nothing/Is.

Dim log_text
Class Counter
  Private count_
  Public Name
  Private Sub Class_Initialize() : count_ = 10 : log_text = log_text & "init;" : End Sub
  Private Sub Class_Terminate() : log_text = log_text & "term;" : End Sub
  Public Property Get Count() : Count = count_ : End Property
  Public Property Let Count(v)
    If v < 0 Then Err.Raise 5
    count_ = v
  End Property
  Public Default Function Value() : Value = Name & "=" & count_ : End Function
  Public Function Self() : Set Self = Me : End Function
  Public Sub Add(n) : count_ = count_ + n : End Sub
End Class
Set c = New Counter
Check "initialize ran", log_text, "init;"
c.Name = "c"
c.Count = 3
c.Add 2
Check "property get", c.Count, 5
Check "default member", "" & c, "c=5"
Check "me is the object", c.Self() Is c, True
Set c2 = c
Set c = Nothing
Check "still referenced", log_text, "init;"
Set c2 = Nothing
Check "terminate ran", log_text, "init;term;"
Check "typename", TypeName(New Counter), "Counter"
Set c = New Counter
On Error Resume Next
c.Count = -1
Check "raise in property let", Err.Number, 5
Err.Clear
x = c.count_
Check "private field", Err.Number, 438
Err.Clear
Set y = New Unknown
Check "class not defined", Err.Number, 506
Err.Clear
Set z = 5
Check "set needs object", Err.Number, 424
Err.Clear
Set n = Nothing
x = n.Name
Check "nothing", Err.Number, 91
On Error GoTo 0
Check "is nothing", n Is Nothing, True
WScript.Quit failures
