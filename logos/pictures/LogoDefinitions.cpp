#include "logos/pictures/LogoCatalogue.h"

// The operator logos, one line each, in gallery order under the name of
// their category. The words of a line are explained in LogoDefinition.h; the
// icons are drawn in IconSources.cpp and the letters in FontSources.cpp.
// brivello_logo_sheet draws every category on a sheet for a look; the tests
// refuse a line that does not fit, a count that changes and two logos alike.

namespace brivello::logos {

QStringView logoListSource()
{
    static const QString source = QString::fromUtf8(R"logos(
[Amore]
spread @cuore "TI AMO" @cuore
big "BACI"
@cuoregrande "AMORE MIO"
spread @cuore small "TI VOGLIO"/"TANTO BENE" @cuore
frame @cuoricino "TI AMO" @cuoricino
invert spread @cuore "AMORE" @cuore
"TI AMO" @cuorefreccia
@labbra "BACIONI" @labbra
rules @cuoricino*3 "BACI" @cuoricino*3
round "TVB" @cuore "TVB"
big "TVTB"
@duecuori "NOI DUE"
"PER SEMPRE" @anello
@rosa "PER TE" @rosa~
@cuorespezzato "MI MANCHI"
bold "TI AMO"
small "SEI IL MIO"/"GRANDE AMORE"
invert round bold "BACI"
dots wide "AMORE MIO"
spread @cuorevuoto "SOLO TU" @cuorevuoto
gap=2 "Ti amo" @cuore "ti amo"
big "AMORE"
@cuoricino*2 "TESORO" @cuoricino*2
frame "SEI MIA" @cuore
frame "SEI MIO" @cuore
spread @bacio "SMACK!" @labbra
"IO" @cuoregrande "TE"
big "TAT"
invert @cuoricino*2 "COCCOLE" @cuoricino*2
rules "TI ADORO"
spread @cuore small "SEI LA"/"MIA VITA" @cuore
bold "Baci" @cuore "baci"
round "PENSO A TE"
@rosa "ROSE ROSSE"
spread @anello "SPOSAMI" @anello
"100% AMORE"
big "KISS"
spread @cuoregrande "LOVE" @cuoregrande
invert "I" @cuore "YOU"
small "AMORE A"/"PRIMA VISTA" @cuorefreccia
@cuore "TVUKDB" @cuore
frame bold "TESORO"
dots "CUCCIOLO" @cuoricino
"PATATINA" @cuore
spread @duecuori "INSIEME" @duecuori~
rules bold "SOLO NOI"
@cuorevuoto "BACETTI" @cuorevuoto
invert "AMAMI!"
"BACIAMI" @labbra
spread @cuorespezzato "TORNA!" @cuorespezzato~
small "IL MIO CUORE"/"E' SOLO TUO"
round @cuoricino "DOLCEZZA"
"STRINGIMI" @cuore
"ANGELO MIO"
frame "STELLA MIA" @stella
@sole "SOLE MIO" @cuore
big "T.V.B."
invert bold "TESORO"
spread @cuore "IO + TE" @cuore
spread @cuore "IO & TE" @cuore
"TU ED IO" @duecuori
small "SAN"/"VALENTINO" @cuoregrande
spread @cuoregrande small "14"/"FEBBRAIO" @cuoregrande
dots "PASSIONE"
"CUPIDO" @cuorefreccia
@rosa "ROMANTICO"
rules "INNAMORATO"
rules "INNAMORATA"
small "AMORE"/"ETERNO" @anello "AMORE"/"VERO"
invert small "COLPO DI"/"FULMINE"
"OGGI SPOSI" @anello
@anello "FIDANZATI"
"SCUSAMI" @rosa~
frame "PERDONAMI"
"MI AMI?" @cuorevuoto
"MI VUOI?" @anello
spread @stella "SEI UNICA" @stella
spread @stella "SEI UNICO" @stella
big "XXX"
@labbra "1000 BACI"
spread @cuoricino "BACI BACI" @cuoricino
round "VOGLIO TE"
small "TUTTO"/"PER TE" @regalo
spread @duecuori small "SEMPRE"/"INSIEME" @duecuori~
"MAI SENZA TE"
invert small "SEI NEL"/"MIO CUORE" @cuore
"Amore mio" @cuore
"Tesoro mio"
bold "Ti penso"
@luna "SOGNO TE" @stella
small "BUONANOTTE"/"AMORE" @luna
@sole small "BUONGIORNO"/"AMORE"
spread @cuore "CIAO AMORE"
small "DOLCE"/"META'" @duecuori small "ANIMA"/"GEMELLA"
rules wide "TI AMO"
invert dots "TI AMO"
gap=2 @cuore "AMO SOLO TE"
spread @cuoregrande "TU" @cuoregrande
@cuorespezzato small "CUORE"/"INFRANTO" @cuorespezzato~
"SEI BELLA" @rosa
big "LOVE"
@cuorevuoto "AMORINO" @cuorevuoto
frame wide "LOVE YOU"
"SEMPRE TUA" @cuoricino
round "NOI" @duecuori "DUE"

[Persone]
@sorriso "CIAO!" @sorriso
spread @omino "AMICI" @donnina~
@occhiolino "CIAO BELLA"
@occhiolino~ "CIAO BELLO"
big "CIAO"
spread @sorriso "SORRIDI!" @sorriso
@triste "CHE NOIA"
invert @faccina "FELICE"
@corona "IL RE" @corona
@corona "LA REGINA"
frame bold "IL MITO"
round "SEI UN MITO"
@occhiali "COOL"
big "COOL"
spread @omino small "AMICI PER"/"SEMPRE" @omino~
"MAMMA" @cuore
"Papà" @cuore
spread @donnina "NONNA" @donnina~
spread @omino "NONNO" @omino~
@omino "FRATELLO"
@donnina "SORELLA"
rules "RAGAZZI"
rules "RAGAZZE"
invert "GIRL POWER"
@regalo "AUGURI!" @regalo
small "BUON"/"COMPLEANNO" @regalo
spread @nota "PARTY" @nota
"FESTA!" @birra
@birra "SALUTE!" @birra~
"CIN CIN" @birra
@nota "MUSICA" @nota
big "ROCK"
dots wide "DISCO"
@nota*2 "BALLA!"
frame "DJ" @nota "DJ"
@cellulare "CHIAMAMI!"
"SMS" @cellulare
@cellulare small "SCRIVIMI"/"UN SMS"
bold "SUPER!"
"SIMPATICO" @sorriso
small "CHE"/"BELLO!" @faccina
bold "MITICO" @stella
@stella "CAMPIONE" @stella
invert round bold "GOAL!"
"FORZA!" @omino
@occhiali "IL CAPO"
round "BOSS" @corona
spread @sorriso "HAPPY" @sorriso
bold "SMILE" @occhiolino
":-)" @sorriso ";-)"
big ":-)"
"SONO IO" @omino
"ECCOMI!" @donnina
small "W LA"/"SCUOLA"
@omino*3 "SQUADRA"
"PAZZO" @occhiolino
"Ciao a tutti!"
frame "IN FORMA"
@faccina "Sorridi"
small "TUTTI"/"AL MARE" @omino @donnina
"BIMBA" @cuoricino
"BAMBINO" @stella
"UN BACIONE" @bacio
invert rules "TIFOSO"

[Animali]
@gatto "GATTO" @musogatto
@cane "CANE" @osso
big "MIAO"
spread @musogatto "MICIO" @musogatto
@gatto~ "MICIA"
spread @zampa "BAU BAU" @zampa
@cane~ "BAU!"
"PESCE" @pesce
@pesce~ small "PESCE"/"ROSSO"
@uccello "UCCELLINO"
"CIP CIP" @uccello~
"FARFALLA" @farfalla
@lumaca "LUMACA"
rules "CHIOCCIOLA"
@topo "TOPO"
"TOPOLINO" @topo~
@coniglio "CONIGLIO"
@anatra "PAPERA"
"ANATRA" @anatra~
"QUA QUA" @anatra
@maiale "MAIALE"
"MAIALINO" @maiale
"OINK!" @maiale
gap=2 @tartaruga "TARTARUGA"
small "PIANO"/"PIANO" @tartaruga~
@ape "APE" @ape~
"BZZZ..." @ape
@ragno "RAGNO"
"RAGNETTO" @ragno
@elefante "ELEFANTE"
@cavallo "CAVALLO"
spread @cavallo~ "PULEDRO" @cavallo
@mucca "MUCCA"
"MUU!" @mucca
big "BAU"
frame "CANE" @zampa
frame "GATTO" @zampa
invert @musogatto "GATTINO"
invert "CAGNOLINO" @zampa
@zampa*3 "CUCCIOLO"
rules "LEONE"
rules "TIGRE"
dots "ORSO"
dots "LUPO"
round "VOLPE"
round "PECORA"
frame "CAPRA"
frame "GALLINA"
invert "GALLO"
invert "OCA"
"AQUILA" @uccello
"GUFO" @luna
"CIVETTA" @luna
"PASSERO" @uccello
"RONDINE" @uccello~
dots "PICCIONE" @uccello
invert "PAPPAGALLO"
"CANARINO" @nota
"DELFINO" @onde
"BALENA" @onde
"SQUALO" @pesce
round "POLPO" @onde
rules wide "GRANCHIO"
big "RANA"
dots "SERPENTE"
@sole "LUCERTOLA"
invert "COCCODRILLO"
bold "GIRAFFA"
invert dots "ZEBRA"
"SCIMMIA" @occhiolino
frame bold "GORILLA"
"CAMMELLO" @sole
rules "PINGUINO" @pesce
"Koala" @cuore
spread @stella "CANGURO" @stella
invert bold "PANDA"
"RICCIO" @scintilla
"Scoiattolo"
bold wide "CERVO"
dots wide "FORMICA"
"COCCINELLA" @cuoricino
"MOSCA" @ape~
small "ZZZ"/"ZZZ" normal "ZANZARA"
"Asino" @cavallo
"TORO" @mucca
rules "CINGHIALE"
"CIGNO" @anatra~
"GABBIANO" @onde
"PAVONE" @scintilla*3
round "STRUZZO"
"Ippopotamo"
dots "RINOCERONTE"
invert "LEOPARDO"
"GHEPARDO" @freccia
invert round "PANTERA"
"CRICETO" @topo~
"CONIGLIETTA" @cuoricino
bold "LEONE"
bold "TIGRE"
bold "ORSO"
bold "LUPO"
bold "DELFINO"
big "ORSO"
big "LUPO"
big "TORO"
big "LEONE"
small "IL GATTO"/"E' IL RE" @gatto
small "IL CANE E'"/"IL MIO AMICO" @cane
small "AMO GLI"/"ANIMALI" @zampa @cuore
small "W I"/"GATTI" @musogatto
small "W I"/"CANI" @cane
small "SALVA LE"/"BALENE" @pesce
small "ATTENTI"/"AL CANE" @cane~
small "GATTO"/"NERO" @gatto
invert small "GATTO"/"MATTO" @musogatto
small "CANE"/"PAZZO" @cane
@gatto "Micio" @cuore
@cane "Fido" @osso
"Bau bau" @zampa
"Miao miao" @musogatto
"Pesciolino" @pesce
"Fufi" @zampa @cuore
@musogatto "Minou"
@cane~ "Rex"
"Birba" @gatto~
"Pallino" @zampa
"Briciola" @topo~
"Lilli" @cane
"Pluto" @osso
small "TOM &"/"JERRY" @gatto @topo
spread @musogatto "MIAO MIAO" @musogatto
spread @osso "OSSO" @osso
spread @uccello "VOLA!" @uccello~
spread @pesce~ "BLU BLU" @pesce
spread @farfalla small "FARFALLE"/"IN VOLO" @farfalla
spread @ape small "APE"/"MAIA" @ape~
spread @lumaca~ small "LENTO"/"MA SICURO" @lumaca
"PAZIENZA" @tartaruga
"FORMAGGIO" @topo~
spread @coniglio "CAROTA" @coniglio
invert spread @cavallo "GALOPPO" @cavallo~
invert spread @mucca "LATTE" @mucca
invert @elefante "DUMBO"
invert @ragno "RAGNATELA"
invert "PORCELLINO"
invert @anatra "PAPERINO"
rules @zampa "ZAMPA" @zampa
rules @pesce*2 "MARE"
rules @uccello "NIDO" @uccello~
round @cane "CUCCIA"
round @musogatto "GATTA"
round @topo "SQUIT!"
frame @ape "MIELE"
frame @farfalla "PRIMAVERA"
frame @lumaca "BAVA"
dots @tartaruga "LENTA"
dots "PROBOSCIDE"
dots @coniglio "PASQUA"
@gatto @cane "AMICI" @topo
@zampa*5
@pesce*4
@cane @osso*3
@musogatto*4 @gatto
@uccello*3 @uccello~*3
@ape*3 "BZZ"
@mucca @maiale @anatra @cavallo
@coniglio*3 @coniglio~*3
invert @zampa*5
@lumaca*4

[Testi]
round "GIULIA"
@stella "MARCO" @stella
bold "FRANCESCA"
spread @cuore "LUCA" @cuore
big "SARA"
frame "ANDREA"
invert "CHIARA"
dots wide "MATTEO"
rules "ALESSANDRO"
@rosa "VALENTINA"
"FEDERICA" @cuoricino
invert round bold "DAVIDE"
@corona "SIMONE"
big "ELENA"
spread @scintilla "PAOLO" @scintilla
big "ANNA"
@cuore "MARIA" @cuore
frame "GIUSEPPE"
bold "ROBERTO"
"LAURA" @stella
invert "SILVIA" @cuoricino
rules wide "STEFANO"
"ROBERTA" @rosa~
spread @stella "MARTINA" @stella
round bold "GIORGIA"
"LORENZO" @occhiali
dots "FRANCESCO"
@cuore "ALESSIA"
invert bold "RICCARDO"
big "ELISA"
@occhiolino "DANIELE"
frame wide "ILARIA"
"FABIO" @stella
spread @cuoricino*2 "MONICA" @cuoricino*2
rules bold "ANTONIO"
"CRISTINA" @scintilla
invert @stella "MASSIMO"
"Paola" @cuore
bold "GIOVANNI"
@luna "SERENA" @stella
round "NICOLA"
"ROSSELLA" @rosa~
frame bold "FILIPPO"
spread @scintilla "BARBARA" @scintilla
big "MATTIA"
invert dots "CLAUDIA"
"EMANUELE"
@cuore "VERONICA"
"GABRIELE" @stella
"Alice" @cuoricino "Alice"
rules "PIETRO"
bold "BEATRICE"
invert round "TOMMASO"
"Caterina"
@nota "SAMUELE"
"NOEMI" @cuore
"Edoardo" @stella
big "LUCIA"
frame "MICHELE"
spread @stella "SOFIA" @stella~
bold "Giacomo"
@sole "AURORA"
"LEONARDO" @corona
invert bold "IRENE"
"Manuel" @occhiali
small "CARLOTTA"/"TI AMO" @cuore
big "DIEGO"

[Viaggi & Vacanze]
@colosseo "ROMA"
big "ROMA"
@gondola "VENEZIA"
frame "FIRENZE"
invert "MILANO"
"NAPOLI" @sole
rules "TORINO"
"PALERMO" @palma
dots "BOLOGNA"
"GENOVA" @nave
round "BARI" @solino
"VERONA" @cuore
@torrepisa "PISA"
bold "SIENA"
spread @sole "CAPRI" @barca
"ISCHIA" @onde
@palma "SARDEGNA"
@sole "SICILIA"
spread @ombrellone "RIMINI" @ombrellone
"RICCIONE" @ombrellone
@barca "PORTOFINO"
"AMALFI" @barca~
"POSITANO" @sole
"TAORMINA" @sole
@faro "ELBA"
@barca small "LAGO DI"/"GARDA"
@montagna "COMO"
@montagna "DOLOMITI"
@montagna "CORTINA"
big "ALPI"
spread @stella "ITALIA" @stella
@torreeiffel "PARIGI"
"LONDRA" @treno
"MADRID" @sole
"BERLINO" @treno
@aereo "NEW YORK"
"GRECIA" @onde
"IBIZA" @nota
@palma "EGITTO" @sole
@palma "MALDIVE" @palma~
"CARAIBI" @palma
spread @sole "ESTATE" @sole
invert @sole "ESTATE" @palma
big "SOLE"
big "MARE"
@ombrellone "SPIAGGIA"
@palma "VACANZE" @palma~
small "BUONE"/"VACANZE" @ombrellone @sole
@aereo small "BUON"/"VIAGGIO"
"IN VIAGGIO" @valigia
@aereo "PARTENZA"
gap=2 @aereo "AEROPORTO"
"CROCIERA" @nave
@montagna "MONTAGNA"
"NEVE" @fiocco
"SCI" @montagna
"CAMPEGGIO" @luna
"TINTARELLA" @solino
"ABBRONZATO" @solino
bold "RELAX" @ombrellone
small "DOLCE FAR"/"NIENTE" @ombrellone
"SOLE" @sole "MARE"
@onde "ONDA" @onde
frame "SURF" @onde
@barca "VELA" @barca~
@palma "ISOLA" @palma
"TROPICI" @palma
@gelato "GELATO" @gelato
@pizza "PIZZA" @pizza
small "SALUTI"/"DA ROMA" @colosseo
small "SALUTI DA"/"VENEZIA" @gondola
small "CARTOLINA"/"DA PARIGI" @torreeiffel
invert "IN FERIE"
dots "FERRAGOSTO"
rules "AGOSTO" @solino
rules "LUGLIO" @ombrellone
"W L'ESTATE" @sole
invert round "ESTATE 2000"
small "VIVA"/"IL MARE" @onde
"CIAO ITALIA"
@globo "MONDO" @globo
@globo small "GIRO DEL"/"MONDO" @aereo
"VALIGIA" @valigia
@treno "TRENO"
"AEREO" @aereo
@auto "IN AUTO"
@auto small "ON THE"/"ROAD"
spread @solino "SUN" @solino
spread @luna "NOTTE" @stella
@ancora "MARINAIO"
"PORTO" @ancora
bold "VACANZE!" @sole
small "ANDATA E"/"RITORNO" @aereo
)logos");
    return source;
}

} // namespace brivello::logos
