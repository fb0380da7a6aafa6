#include "help.h"

#include "startup.h"

#include "platform/shell.h"

#include <QCoreApplication>
#include <QUrl>

namespace {

// The suite numbers its own pages; those numbers are not this program's to
// know, so its rows carry numbers of our own: unique, and neither 820 nor the
// editor's own help context 1035.
constexpr helprow rows[] = {
    {13, "algemeen"},
    {23, "anova"},
    {33, "bestand"},
    {43, "aggregatie"},
    {53, "beslisbomen"},
    {63, "ballenbak"},
    {73, "bayes"},
    {83, "betrouwbaarheidsintervallen"},
    {93, "banken"},
    {103, "bomen"},
    {113, "bootstrap"},
    {123, "binomialetoets"},
    {133, "binomialeverdeling"},
    {143, "bordgalton"},
    {153, "boxplot"},
    {163, "bulkuitvoer"},
    {173, "centralelimietstelling"},
    {183, "centrummaten"},
    {193, "cirkeldiagram"},
    {203, "correlatiematrix"},
    {213, "callandput"},
    {223, "cournot_duopoly"},
    {233, "dataplot"},
    {243, "dancing"},
    {253, "dancing_boxplots"},
    {263, "dancing_scatterplots"},
    {273, "dataplotvormgeving"},
    {283, "datumvariabele"},
    {293, "delerendecomputer"},
    {303, "data_maken"},
    {313, "demoregressie"},
    {323, "discriminantanalyse"},
    {333, "dobbelstenen"},
    {343, "dotplot"},
    {353, "exporteren"},
    {363, "importeren_excel_bestand"},
    {373, "economie"},
    {383, "een_steekproef"},
    {393, "enquete"},
    {403, "filter"},
    {413, "enqmaak"},
    {423, "enqinvullen"},
    {433, "enqweb"},
    {443, "frequentietabel"},
    {453, "freqraster"},
    {463, "fruitautomaat"},
    {473, "faculteitsboom"},
    {483, "formulemaker"},
    {493, "grafiekenvanverdelingen"},
    {503, "hercoderen"},
    {513, "aandeslag"},
    {523, "hypergeometrischeverdeling"},
    {533, "hypothese"},
    {543, "importeren"},
    {553, "indeling"},
    {563, "statistiekalg"},
    {820, "printen"},
    {583, "instellingen"},
    {593, "kansrekenen"},
    {603, "kendallstauenspearmansrho"},
    {613, "knoppen"},
    {623, "koppelen"},
    {633, "kruistabel"},
    {643, "kiezen"},
    {653, "label"},
    {663, "labelsofgetallen"},
    {673, "lijndiagram"},
    {683, "lorentzkromme"},
    {693, "machtsboom"},
    {703, "mixed_strategies"},
    {713, "veel_steekproeven_trekken"},
    {723, "monopoly"},
    {733, "multipeleregressie"},
    {743, "multipunt"},
    {753, "multipuntomzet"},
    {763, "munten"},
    {773, "markov"},
    {783, "normaleverdeling"},
    {793, "namen"},
    {803, "normaliteitsplot"},
    {813, "metronoom"},
    {823, "omrekenen_van_variabelen"},
    {833, "onafhanklijkesteekproeven"},
    {843, "opsplitsen"},
    {853, "onderscheidingsvermogen"},
    {863, "opzetprinten"},
    {873, "paarsgewijzeverschillen"},
    {883, "statistiekdataplot"},
    {893, "poissontoets"},
    {903, "poissonverdeling"},
    {913, "statistiekuitvoer"},
    {923, "puntenwolk2"},
    {933, "statistiekinvoer"},
    {943, "reactiesnelheid"},
    {953, "randomisation"},
    {963, "randomizer"},
    {973, "randomgenerator"},
    {983, "reserveringen"},
    {993, "roken"},
    {1003, "roulette"},
    {1013, "rooster"},
    {1023, "selectievanvariabelen"},
    {1033, "showall"},
    {1043, "slimtellen"},
    {1053, "spinner"},
    {1063, "snackbar"},
    {1073, "sampling_two"},
    {1083, "sorteren"},
    {1093, "spc"},
    {1103, "spelbomen"},
    {1113, "staafdiagram"},
    {1123, "sampling"},
    {1133, "simulaties"},
    {1143, "simulaties_toegepast"},
    {1153, "data_analyse"},
    {1163, "steelblad"},
    {1173, "steekproeven"},
    {1183, "yesno"},
    {1193, "tabel"},
    {1203, "tekst"},
    {1213, "tijdreeks"},
    {1223, "ttoets"},
    {1233, "toevalsregen"},
    {1243, "test2alternatieven"},
    {1253, "tabelenboom"},
    {1263, "simpson"},
    {1273, "variabelen"},
    {1283, "variantieanalyse"},
    {1293, "exponentieleverdeling"},
    {1303, "verwijdernietgeselecteerderecords"},
    {1313, "freetree"},
    {1323, "specialefuncties"},
    {1333, "ztoets"},
};

} // namespace

std::span<const helprow> helptable() {
    return rows;
}

QString helppage(std::int32_t context) {
    for (const helprow& row : rows) {
        if (row.context == context) {
            return QString::fromLatin1(row.page);
        }
    }
    return {};
}

QString helpbaseaddress() {
    QString folder = programValues().programFolder;
    if (folder.isEmpty()) {
        folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    }
    return QString::fromLatin1(QUrl::fromLocalFile(folder + QStringLiteral("help")).toEncoded());
}

QString helpaddress(const QString& page) {
    return helpbaseaddress() + QStringLiteral("/htmlplusnorvelned/index.html?") + page +
           QStringLiteral(".htm");
}

void showhelppage(std::int32_t context) {
    const QString page = helppage(context);
    if (page.isEmpty()) {
        return;
    }
    shellopen(helpaddress(page));
}
