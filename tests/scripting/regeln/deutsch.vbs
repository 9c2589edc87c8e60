' The texts the German locale gives.
Dim Deutsch : Deutsch = True
