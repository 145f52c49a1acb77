# Prints the largest line the format takes, the text of
# test_support/largest_line_fixture.h, byte for byte: 1 000 000 m, 3999 curves,
# 10 001 gradient rows, 80 montagna spans, 81 indicators and 81 signs.
#
#   awk -f scripts/largest_line.awk >LARGEST_linea.txt
BEGIN {
  ORS = "\r\n"
  print "Linea di Monteluce, profilo di prova"
  print "[generale]"
  print "lunghezza percorso, 1000000"
  print "sfondo uno, 2"
  print "[curve]"
  for (k = 0; k < 3999; k++) print "curva" (k % 2 == 0 ? "d" : "s") (k % 6 + 1) ", " (250 * k + 100) ", 100"
  print "curvas6, 999900, 99"
  print "[pendenze]"
  for (k = 0; k <= 10000; k++) print "pendenza, " (100 * k) ", " (k % 41 - 20)
  print "[montagne]"
  for (k = 0; k < 80; k++) print "montagna, " (12000 * k + 1000) ", " (12000 * k + 2000) ", " (11 + k % 2)
  print "[cartelli]"
  for (k = 0; k <= 80; k++) print "indicatori_vmax, " (12000 * k + 7000) ", 60, 70, 75, 1, 60, 70, 75, 2"
  print "[indicazioni]"
  for (k = 0; k <= 80; k++) print "cartello_indicatore, " (12000 * k + 5000) ", \"(Cippo Km.)( " k " )\""
  print "[fine]"
}
