' Arrays: Dim, ReDim, Preserve, bounds, multiple dimensions, Erase, For Each, value semantics
' (arrays with other lower bounds and their element order: Variant_test).
Dim a(2), m(1, 2), dyn()
a(0) = "x" : a(2) = "z"
Check "ubound", UBound(a), 2
Check "lbound", LBound(a), 0
m(1, 2) = 7
Check "two dimensions", m(1, 2), 7
Check "ubound dimension 2", UBound(m, 2), 2
ReDim dyn(3)
dyn(3) = "last"
ReDim Preserve dyn(5)
Check "preserve keeps", dyn(3), "last"
Check "preserve grows", UBound(dyn), 5
ReDim dyn(1)
Check "redim clears", IsEmpty(dyn(1)), True
b = a
b(0) = "changed"
Check "assignment copies", a(0), "x"
n = 0
For Each v In Array(1, 2, 3) : n = n + v : Next
Check "for each array", n, 6
Erase a
Check "erase fixed empties", IsEmpty(a(2)), True
Check "erase fixed keeps the bounds", UBound(a), 2
Erase dyn
On Error Resume Next
x = UBound(dyn)
Check "erased dynamic", Err.Number, 9
Err.Clear
ReDim a(5)
Check "fixed array cannot redim", Err.Number, 10
Err.Clear
x = m(2, 0)
Check "subscript range", Err.Number, 9
Err.Clear
ReDim huge(100000000)
Check "too large", Err.Number, 7
Err.Clear
ReDim huge(1048575, 1048575)
Check "too large in two dimensions", Err.Number, 7
Err.Clear
ReDim neg(-2)
Check "negative size", Err.Number, 9
Err.Clear
ReDim g(1, 1) : g(1, 1) = 11
ReDim Preserve g(1, 2)
Check "preserve keeps in two dimensions", g(1, 1), 11
Check "preserve adds empty elements", IsEmpty(g(1, 2)), True
ReDim Preserve g(2, 2)
Check "preserve cannot change the first dimension", Err.Number, 9
On Error GoTo 0
Check "array function", Array(1, "b")(1), "b"
Check "empty array", UBound(Array()), -1
e = Array(Array(1, 2), Array(3, 4))
Check "nested", e(1)(0), 3
WScript.Quit failures
