#include "app/settings/UserSettings.h"

#include "app/config/BuildConfig.h"
#include "platform/Autostart.h"
#include "platform/Registry.h"
#include "store/Ut.h"

#include <limits>

namespace {

class ValueReader {
public:
    ValueReader(const Registry& registry, const QString& key)
        : m_registry(registry)
        , m_key(key)
    {
    }

    // The value, or the default when it is missing or empty.
    QString text(const char* name, const QString& fallback) const
    {
        const QString value = m_registry.readString(m_key, QLatin1String(name));
        return value.isEmpty() ? fallback : value;
    }

    // The value when it reads as a 32-bit integer, else the default.
    qint32 integer(const char* name, qint32 fallback, bool* valid = nullptr) const
    {
        qint32 value = 0;
        const bool ok = Leggi_Intero(m_registry.readString(m_key, QLatin1String(name)), value) == INTERO_OK;
        if (valid != nullptr)
            *valid = ok;
        return ok ? value : fallback;
    }

private:
    const Registry& m_registry;
    const QString& m_key;
};

// Gathers the values in order; commit writes them in one pass.
class ValueWriter {
public:
    void text(const char* name, const QString& value)
    {
        m_values.append({QLatin1String(name), value});
    }

    void integer(const char* name, qint32 value)
    {
        text(name, QString::number(value));
    }

    bool commit(Registry& registry, const QString& key) const
    {
        return registry.writeStrings(key, m_values);
    }

private:
    Registry::Values m_values;
};

} // namespace

QString settingsKey(const QString& programName)
{
    return QStringLiteral("Software\\Brivo\\BrivoReminder\\") + programName + QStringLiteral("\\Impostazioni");
}

QString readSettings(UserSettings& s, const Registry& registry, const QString& key, const BuildConfig& config,
    const QStringList& soundNames)
{
    const UserSettings defaults;
    const QString defaultSound = soundNames.isEmpty() ? noSoundName() : soundNames.front();
    const ValueReader read(registry, key);

    s.Tipo_colorazione = read.text("Tipo_colorazione", config.COLORAZIONE_DEFAULT);
    s.qt_aperture_prog = read.integer("qt_aperture_prog", defaults.qt_aperture_prog);
    // The count includes this start. After 2^31 - 1 starts it begins again
    // rather than turn negative.
    s.qt_aperture_prog = s.qt_aperture_prog == std::numeric_limits<qint32>::max() ? 1 : s.qt_aperture_prog + 1;
    s.Stay_on_top = read.integer("Stay_on_top", defaults.Stay_on_top);
    s.Lingua_attuale = config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON ? read.text("Lingua_attuale", config.LINGUA_DEFAULT)
                                                                : config.LINGUA_DEFAULT;
    QString unknownLanguage;
    // A hand-edited or foreign value must not keep every reminder from running.
    // A build whose own default is unknown is left to fail as a bad build.
    const auto known = [](const QString& lingua) { return lingua == languageItalian() || lingua == languageEnglish(); };
    if (!known(s.Lingua_attuale) && known(config.LINGUA_DEFAULT)) {
        unknownLanguage = s.Lingua_attuale;
        s.Lingua_attuale = config.LINGUA_DEFAULT;
    }
    s.Chiedi_conferma_esc = read.integer("Chiedi_conferma_esc", defaults.Chiedi_conferma_esc);
    s.Chiedi_conferma_cancellazione
        = read.integer("Chiedi_conferma_cancellazione", defaults.Chiedi_conferma_cancellazione);
    s.Orario_predefinito_nuovi_promemoria
        = read.integer("Orario_predefinito_nuovi_promemoria", defaults.Orario_predefinito_nuovi_promemoria);
    s.Incremento_orario_piu_meno = read.integer("Incremento_orario_piu_meno", defaults.Incremento_orario_piu_meno);
    s.Anticipo_per_memo_imminenti = read.integer("Anticipo_per_memo_imminenti", defaults.Anticipo_per_memo_imminenti);
    s.Preavviso_predefinito_memo = read.integer("Preavviso_predefinito_memo", defaults.Preavviso_predefinito_memo);
    s.Avvio_automatico = read.integer("Avvio_automatico", defaults.Avvio_automatico);
    s.Suono_allarme_ripeturamente = read.integer("Suono_allarme_ripeturamente", defaults.Suono_allarme_ripeturamente);
    s.Attivazione_nuovi_promemoria
        = read.integer("Attivazione_nuovi_promemoria", defaults.Attivazione_nuovi_promemoria);
    s.Height_pnlGen = read.integer("Height_pnlGen", defaults.Height_pnlGen);
    s.Width_Appl = read.integer("Width_Appl", defaults.Width_Appl);
    s.Suono_Memo = read.text("Suono_Memo", defaultSound);
    s.Suono_Sveglie = read.text("Suono_Sveglie", defaultSound);
    s.vis_banner = config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON ? read.integer("vis_banner", config.bannerDefault)
                                                              : config.bannerDefault;
    bool leftValid = false;
    bool topValid = false;
    s.Ultima_pos_Left = read.integer("Ultima_pos_Left", 0, &leftValid);
    s.Ultima_pos_Top = read.integer("Ultima_pos_Top", 0, &topValid);
    s.positionKnown = leftValid && topValid;
    s.Vis_mess_trayicon = read.integer("Vis_mess_trayicon", defaults.Vis_mess_trayicon);
    s.Ultimo_controllo = QDateTime::fromString(read.text("Ultimo_controllo", {}), Qt::ISODateWithMs);
    s.Notifica_desktop = read.integer("Notifica_desktop", defaults.Notifica_desktop);
    s.Codifica_archivio = read.text("Codifica_archivio", {});
    s.CalDAV_URL = read.text("CalDAV_URL", {});
    s.CalDAV_Utente = read.text("CalDAV_Utente", {});
    return unknownLanguage;
}

bool writeSettings(
    const UserSettings& s, Registry& registry, const QString& key, Autostart& autostart, const QString& programName)
{
    ValueWriter write;
    write.text("Tipo_colorazione", s.Tipo_colorazione);
    write.integer("Orario_predefinito_nuovi_promemoria", s.Orario_predefinito_nuovi_promemoria);
    write.integer("Incremento_orario_piu_meno", s.Incremento_orario_piu_meno);
    write.integer("Anticipo_per_memo_imminenti", s.Anticipo_per_memo_imminenti);
    write.integer("Preavviso_predefinito_memo", s.Preavviso_predefinito_memo);
    write.integer("Avvio_automatico", s.Avvio_automatico);
    write.text("Lingua_attuale", s.Lingua_attuale);
    write.text("Suono_Memo", s.Suono_Memo);
    write.text("Suono_Sveglie", s.Suono_Sveglie);
    write.integer("Attivazione_nuovi_promemoria", s.Attivazione_nuovi_promemoria);
    write.integer("Suono_allarme_ripeturamente", s.Suono_allarme_ripeturamente);
    write.integer("Chiedi_conferma_cancellazione", s.Chiedi_conferma_cancellazione);
    write.integer("Height_pnlGen", s.Height_pnlGen);
    write.integer("Width_Appl", s.Width_Appl);
    write.integer("vis_banner", s.vis_banner);
    write.integer("Stay_on_top", s.Stay_on_top);
    write.integer("Chiedi_conferma_esc", s.Chiedi_conferma_esc);
    write.integer("Ultima_pos_Left", s.Ultima_pos_Left);
    write.integer("Ultima_pos_Top", s.Ultima_pos_Top);
    write.integer("qt_aperture_prog", s.qt_aperture_prog);
    write.integer("Vis_mess_trayicon", s.Vis_mess_trayicon);
    write.text("Ultimo_controllo", s.Ultimo_controllo.toUTC().toString(Qt::ISODateWithMs));
    write.integer("Notifica_desktop", s.Notifica_desktop);
    write.text("Codifica_archivio", s.Codifica_archivio);
    write.text("CalDAV_URL", s.CalDAV_URL);
    write.text("CalDAV_Utente", s.CalDAV_Utente);
    const bool ok = write.commit(registry, key);
    if (s.Avvio_automatico == 1)
        autostart.writeEntry(programName);
    else
        autostart.removeEntry(programName);
    return ok;
}
