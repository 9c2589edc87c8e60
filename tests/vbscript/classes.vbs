' Classes beside class_properties.vbs: a Let that raises, Terminate only after the last of two
' references, TypeName, Set of a non-object, members of Nothing.

Dim log_text : log_text = ""
Class Counter
  Private count_
  Private Sub Class_Terminate() : log_text = log_text & "term;" : End Sub
  Public Property Get Count() : Count = count_ : End Property
  Public Property Let Count(v)
    If v < 0 Then Err.Raise 5
    count_ = v
  End Property
End Class
Set c = New Counter
Set c2 = c
Set c = Nothing
Check "still referenced", log_text, ""
Set c2 = Nothing
Check "terminate ran", log_text, "term;"
Check "typename", TypeName(New Counter), "Counter"
Set c = New Counter
On Error Resume Next
c.Count = -1
Check "raise in property let", Err.Number, 5
Err.Clear
Set z = 5
Check "set needs object", Err.Number, 424
Err.Clear
Set n = Nothing
x = n.Name
Check "nothing", Err.Number, 91
WScript.Quit failures
