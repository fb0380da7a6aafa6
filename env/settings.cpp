#include "settings.h"

#include "web.h"

#include "platform/codepage.h"
#include "platform/ini.h"
#include "platform/stream.h"

#include <QHash>
#include <algorithm>

namespace {

constexpr SettingKind B = SettingKind::Boolean;
constexpr SettingKind I = SettingKind::Integer;
constexpr SettingKind S = SettingKind::String;
constexpr SettingKind F = SettingKind::Fraction;

// The suite also reads "selbol_dobbel" and "selbol_simulaties" a second time;
// reading a key twice gives the same value, so each stands here once.
constexpr SettingKey keys[] = {
    {"invbeta", B},
    {"selbol_kwartned", B},
    {"selbol_gem_sd", B},
    {"selbol_levene", B},
    {"selboL_sdn", B},
    {"selbol_toonperm", B},
    {"selbol_toonvar", B},
    {"selbol_variantie", B},
    {"selbol_skewness", B},
    {"selbol_kurtosis", B},
    {"algdecimaal", I},
    {"3d", B},
    {"aggregatie", B},
    {"selbol_banken", B},
    {"selbol_binomiaal_toets", B},
    {"selbol_alternativ", B},
    {"selbol_binomiaal_verdeling", B},
    {"selbol_toongrid", B},
    {"selbol_boxplot", B},
    {"selbol_boxplot_uitschieters", B},
    {"selbol_dotplot", B},
    {"selbol_bulk", B},
    {"selbol_centrale_limiet", B},
    {"selbol_centrummaten", B},
    {"selbol_sim_chikwadraat", B},
    {"selbol_chikwadraat", B},
    {"selbol_cirkel", B},
    {"selbol_conclusiehypothese", B},
    {"selbol_correlatiematrix", B},
    {"selbol_meerstatistiek", B},
    {"selbol_dataplot", B},
    {"datumvariabele", B},
    {"selbol_demoregressie", B},
    {"selbol_discriminant_analyse", B},
    {"selbol_dobbel", B},
    {"selbol_enquete", B},
    {"selbol_exporteren", B},
    {"formulelijst", B},
    {"selbol_formulier", B},
    {"char1", S},
    {"char2", S},
    {"binnen groepen", S},
    {"tussen groepen", S},
    {"anova kort SSR", S},
    {"anova kort SSE", S},
    {"anova kort SST", S},
    {"anova kort SSA", S},
    {"anova kort SSB", S},
    {"anova kort SSAB", S},
    {"anova rijen", S},
    {"anova kolommen", S},
    {"anova interactie", S},
    {"anova error", S},
    {"selbol_besliskunde", B},
    {"selbol_economie", B},
    {"selbol_games", B},
    {"selbol_freediagram", B},
    {"selbol_slimtellen", B},
    {"selbol_freekansboom", B},
    {"selbol_frek_cumulatief", B},
    {"selbol_frek_percentages", B},
    {"selbol_frequentietabel", B},
    {"selbol_fruitautomaat", B},
    {"selbol_galton", B},
    {"selbol_hist_cumulatief", B},
    {"selbol_hist_normaal", B},
    {"selbol_hist_normaliteit", B},
    {"selbol_histogram", B},
    {"selbol_balken", B},
    {"selbol_hyper_verdeling", B},
    {"selbol_hypothese", B},
    {"selbol_sim_hypothese", B},
    {"selbol_importeren", B},
    {"selbol_indeling", B},
    {"selbol_integer", B},
    {"oppervlakte", B},
    {"selbol_kansboom", B},
    {"selbol_kansrek", B},
    {"selbol_kendall", B},
    {"koppelen", B},
    {"selbol_kritiekewaarden", B},
    {"selbol_kruistabel", B},
    {"selbol_simpson", B},
    {"selbol_kwartiel", B},
    {"selbol_labels", B},
    {"selbol_leren", B},
    {"selbol_memory", B},
    {"selbol_enqmaak", B},
    {"selbol_steekproevennu", B},
    {"selbol_eensteekproef", B},
    {"selbol_veelsteekproeven", B},
    {"selbol_enqtoon", B},
    {"selbol_enqweb", B},
    {"selbol_enquette", B},
    {"selbol_lijndiagram", B},
    {"selbol_lorentz", B},
    {"selbol_match", B},
    {"selbol_mediaan", B},
    {"selbol_mindmap", B},
    {"selbol_modus", B},
    {"selbol_multipele_regressie", B},
    {"selbol_multipunt", B},
    {"selbol_spss", B},
    {"selbol_munten", B},
    {"selbol_no_show", B},
    {"selbol_normaal_toets", B},
    {"selbol_normaal_verdeling", B},
    {"selbol_nul", B},
    {"selbol_onafhanklijk", B},
    {"selbol_call", B},
    {"selbol_tabelboom", B},
    {"selbol_paarsgewijs", B},
    {"selbol_plot", B},
    {"selbol_poisson_verdeling", B},
    {"selbol_printen", B},
    {"selbol_longnaam", B},
    {"profiel", B},
    {"boom", B},
    {"selbol_lijntjes_munt", I},
    {"selbol_ballen", B},
    {"selbol_spinner", B},
    {"selbol_puntenwolk", B},
    {"selbol_random", B},
    {"selbol_raster", B},
    {"selbol_reactiesnelheid", B},
    {"selbol_regen", B},
    {"selbol_metronoom", B},
    {"selbol_counties", B},
    {"selbol_metronoom_caption", B},
    {"selbol_regres_betrouwbaar", B},
    {"selbol_regres_kwad", B},
    {"selbol_regressie_residu", B},
    {"selbol_regressie_toetsen", B},
    {"selbol_regressielijn", B},
    {"selbol_rooster", B},
    {"selbol_markov", B},
    {"selbol_markovsim", B},
    {"selbol_roulette", B},
    {"selbol_rr", B},
    {"selbol_sampling", B},
    {"selbol_sampling2", B},
    {"selbol_samplingdist", B},
    {"selbol_sd", B},
    {"www", S},
    {"showall_boxplot", B},
    {"showall_bessta", B},
    {"showall_cirkel", B},
    {"showall_freq", B},
    {"showall_hist", B},
    {"showall_lijn", B},
    {"showall_startreeks", B},
    {"selbol_simulaties", B},
    {"selbol_data_maken", B},
    {"selbol_simulaties2", B},
    {"selbol_monopoly", B},
    {"selbol_snackbar", B},
    {"selbol_spc", B},
    {"selbol_statistiek", B},
    {"selbol_toeval_aantalintervallen", B},
    {"selbol_perc_cum_dataplot", B},
    {"selbol_toeval_som", B},
    {"selbol_mixed", B},
    {"selbol_cournot", B},
    {"selbol_toeval_gemiddelde", B},
    {"selbol_toeval_spreiding", B},
    {"selbol_toeval_verdeling", B},
    {"selbol_toeval_normaal", B},
    {"selbol_veeldecimalen", B},
    {"selbol_sample_kleuren", B},
    {"selbol_sample_kleuren_visible", B},
    {"selbol_sample_steekproef", B},
    {"selbol_extra_assen", I},
    {"selbol_asbold", B},
    {"selbol_excel", B},
    {"selbol_steekproef_aantal_steekproeven", B},
    {"selbol_steekproef_cluster", I},
    {"selbol_max_permutatie", I},
    {"selbol_steekproef_clustering", B},
    {"selbol_steekproef_foutenmarge", F},
    {"selbol_steekproef_foutenmarge_true", B},
    {"steekproef geheim", B},
    {"selbol_sampling1000", B},
    {"selbol_samplingtesten", B},
    {"geheime kans", I},
    {"selbol_lijndikte", I},
    {"selbol_steekproef_hypothese", B},
    {"selbol_steekproef_normale_verdeling", B},
    {"selbol_steekproef_omvang_populatie_nu", I},
    {"selbol_turbo_sampling", I},
    {"selbol_geheugen", I},
    {"selbol_steekproef_omvang_populatie", I},
    {"selbol_steekproef_omvang_populatie_true", B},
    {"selbol_steekproef_significantie", B},
    {"selbol_steekproef_theorie", B},
    {"selbol_steekproef_trouw", B},
    {"selbol_steekproef_vergelijken", B},
    {"selbol_gamble_infoset", B},
    {"selbol_steekproef_zonder_teruglegging", B},
    {"selbol_steelblad", B},
    {"stoppen", B},
    {"wijzigen", B},
    {"plotwijzigen", B},
    {"selbol_tijd", B},
    {"selbol_toeval", B},
    {"selbol_toonresidulijn", B},
    {"selbol_benadering", B},
    {"selbol_loterij", B},
    {"selbol_kanker", B},
    {"selbol_screening", B},
    {"selbol_discreet", B},
    {"selbol_bayes", B},
    {"selbol_gokbal", B},
    {"selbol_randomtest", B},
    {"selbol_bootstrap", B},
    {"selbol_randomttest", B},
    {"selbol_goknorm", B},
    {"selbol_regres_punten", B},
    {"selbol_regres_beste_lijnen", B},
    {"selbol_regres_simulatie", B},
    {"selbol_regres_plot", B},
    {"selbol_regres_gemiddelde", B},
    {"selbol_ttoets", B},
    {"selbol_simttoets", B},
    {"selbol_simztoets", B},
    {"selbol_simbintoets", B},
    {"selbol_simtwottoets", B},
    {"selbol_anova", B},
    {"selbol_sim_anova", B},
    {"selbol_fat_lines", B},
    {"selbol_twosidedcolors", B},
    {"selbol_vaas", B},
    {"selbol_variantie_analyse", B},
    {"selbol_vastekolom", B},
    {"selbol_verbergen_vars", B},
    {"selbol_verdelingen", B},
    {"selbol_verdelingenshow", B},
    {"selbol_verticaal", B},
    {"selbol_vrijeindeling", B},
    {"selbol_bomen", B},
    {"selbol_worteln", B},
    {"set_naam", S},
    {"set_plekbestanden", S},
    {"bestand", S},
    {"bestanddataplot", S},
    {"bestandveelplot", S},
    {"showallcolor", B},
    {"clkleur", I},
    {"selbol_poisson_toets", B},
    {"selbol_trouw", B},
    {"selbol_conf", B},
    {"selbol_showanova", B},
    {"selbol_paired_sample", B},
    {"selbol_beta", B},
    {"selbol_steekproef_rond", B},
    {"selbol_steekproef_omvang_steekproef", I},
    {"selbol_steekproef_aantal_steekproef", I},
    {"selbol_gokinfo", B},
    {"selbol_gokodds", B},
    {"selbol_baknorm", B},
    {"selbol_goedbak", I},
    {"selbol_foutbak", I},
    {"selbol_goednorm", I},
    {"selbol_foutnorm", I},
    {"selbol_goedprop", I},
    {"selbol_foutprop", I},
    {"selbol_dancing", B},
    {"selbol_dancing_plots", B},
};

const QString general = QStringLiteral("ALGEMEEN");

QString sectionOf(std::int32_t number) {
    return QStringLiteral("Norvel_") + QString::number(number);
}

std::optional<std::size_t> indexOf(const QString& key) {
    static const QHash<QString, std::size_t> index = [] {
        QHash<QString, std::size_t> h;
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            h.insert(QString::fromLatin1(keys[i].name).toCaseFolded(), i);
        }
        return h;
    }();
    const auto found = index.constFind(key.toCaseFolded());
    if (found == index.constEnd()) {
        return std::nullopt;
    }
    return *found;
}

} // namespace

std::span<const SettingKey> settingKeys() {
    return keys;
}

tinstelobject::tinstelobject() = default;

tinstelobject::tinstelobject(const IniFile& ini, std::int32_t number) {
    const QString section = sectionOf(number);
    if (!ini.hasSection(section)) {
        return; // every key at its default
    }
    m_texts.resize(std::size(keys));
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        const QString key = QString::fromLatin1(keys[i].name);
        if (ini.hasKey(section, key)) {
            m_texts[i] = ini.readString(section, key);
        }
    }
    set_plekbestanden =
        ini.readString(section, QStringLiteral("set_plekbestanden"), set_plekbestanden);
    selbol_printen = ini.readBool(section, QStringLiteral("selbol_printen"), selbol_printen);
    selbol_steekproef_foutenmarge = ini.readFloat(
        section, QStringLiteral("selbol_steekproef_foutenmarge"), selbol_steekproef_foutenmarge);
}

std::optional<QString> tinstelobject::text(const QString& key) const {
    const auto i = indexOf(key);
    if (!i || m_texts.empty()) {
        return std::nullopt;
    }
    return m_texts[*i];
}

tinstellijst::tinstellijst() {
    add(std::make_unique<tinstelobject>());
}

tinstellijst::tinstellijst(const IniFile& ini) {
    readprofiles(ini);
}

tinstellijst tinstellijst::fromFile(const QString& fileName, bool* read) {
    IniFile ini;
    const bool ok = ini.load(fileName);
    if (read) {
        *read = ok;
    }
    return tinstellijst(ini);
}

tinstellijst tinstellijst::fromUrl(const QString& address, bool* read) {
    tinstellijst list{Empty{}};
    MemoryStream fetched;
    const bool ok = downloadurl(address, fetched);
    if (ok) {
        list.readprofiles(IniFile(fetched.bytes()));
    }
    if (read) {
        *read = ok;
    }
    return list;
}

void tinstellijst::readprofiles(const IniFile& ini) {
    QByteArray password = ini.readBytes(general, QStringLiteral("wachtwoord"));
    for (char& b : password) {
        b = static_cast<char>(255 - static_cast<unsigned char>(b));
    }
    wachtwoord = fromCp1252(password);

    // A count far beyond any real file (a typing error, a damaged file) would
    // otherwise make the program allocate until it fails.
    const std::int32_t aantal =
        std::min(ini.readInteger(general, QStringLiteral("aantal"), 0), maxProfiles);
    if (aantal == 0) {
        add(std::make_unique<tinstelobject>());
    }
    // A negative count appends nothing; start-up then adds a default profile.
    for (std::int32_t n = 0; n < aantal; ++n) {
        add(std::make_unique<tinstelobject>(ini, n));
    }
}

void tinstellijst::add(std::unique_ptr<tinstelobject> profile) {
    m_profiles.push_back(std::move(profile));
}
