#include "app/config/BuildConfig.h"

#include "app/config/ConfigValues.h"
#include "platform/LocaleService.h"
#include "platform/MessageBoxes.h"
#include "platform/Resources.h"

namespace {

constexpr int PICTURE_FAILED = -3;

// Reads keys in turn; each failure shows its box and asks the program to end,
// and reading goes on with the next key.
class KeyReader {
public:
    KeyReader(BuildConfig& config, MessageBoxes& boxes)
        : m_config(config)
        , m_boxes(boxes)
    {
    }

    void text(const char* key, QString& value)
    {
        check(key, readConfigText(m_config.lines, QLatin1String(key), value));
    }

    void boolean(const char* key, bool& value)
    {
        check(key, readConfigBoolean(m_config.lines, QLatin1String(key), value));
    }

    void integer(const char* key, qint32& value)
    {
        check(key, readConfigInteger(m_config.lines, QLatin1String(key), value));
    }

    void colour(const char* key, qint32& value)
    {
        check(key, readConfigColour(m_config.lines, QLatin1String(key), value));
    }

private:
    void check(const char* key, int result)
    {
        if (result > 0)
            return;
        m_boxes.Errore(QStringLiteral("Errore %1 in \"%2\"").arg(result).arg(QLatin1String(key)));
        m_config.endRequested = true;
    }

    BuildConfig& m_config;
    MessageBoxes& m_boxes;
};

} // namespace

QString resolveDefaultLanguage(const QString& value, const LocaleService& locale)
{
    if (value != u"System")
        return value;
    return locale.languageCode().left(2).toUpper() == u"IT" ? languageItalian() : languageEnglish();
}

int readBuildConfig(BuildConfig& config, const Resources& resources, const LocaleService& locale, MessageBoxes& boxes)
{
    config = BuildConfig();
    for (int id = Resources::FIRST_STRING_ID; id <= Resources::LAST_STRING_ID; ++id) {
        const QString line = resources.loadString(id);
        if (!line.isEmpty())
            config.lines.append(line);
    }

    KeyReader read(config, boxes);
    read.text("NOME_PROGRAMMA", config.NOME_PROGRAMMA);
    read.text("SCRITTE_LINK_GRANDE", config.SCRITTE_LINK_GRANDE);
    read.text("INDIRIZZO_LINK_GRANDE", config.INDIRIZZO_LINK_GRANDE);
    read.text("SCRITTE_LINK_PICCOLO", config.SCRITTE_LINK_PICCOLO);
    read.text("INDIRIZZO_LINK_PICCOLO", config.INDIRIZZO_LINK_PICCOLO);
    read.text("LINK_BANNER", config.LINK_BANNER);
    read.text("LINK_E_MAIL", config.LINK_E_MAIL);
    read.text("LINGUA_DEFAULT", config.LINGUA_DEFAULT);
    config.LINGUA_DEFAULT = resolveDefaultLanguage(config.LINGUA_DEFAULT, locale);
    read.boolean("CAMBIO_LINGUA_ON", config.CAMBIO_LINGUA_ON);
    read.boolean("UTILIZZA_ULTIMA_LINGUA_SALVATA_ON", config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON);
    read.text("OGGETTO_EMAIL", config.OGGETTO_EMAIL);
    read.text("COLORAZIONE_DEFAULT", config.COLORAZIONE_DEFAULT);
    read.boolean("BANNER_PRESENTE_ON", config.BANNER_PRESENTE_ON);
    read.boolean("LOGO_INIZIALE_DISPLAY_ON", config.LOGO_INIZIALE_DISPLAY_ON);
    read.boolean("MODIFICA_COLORI_ON", config.MODIFICA_COLORI_ON);
    read.integer("SECONDI_ATTESA_LOGO", config.SECONDI_ATTESA_LOGO);
    read.boolean("UTILIZZA_TASTIERA_BANNER_SALVATI_ON", config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON);
    read.boolean("RIDIMENSIONAMENTO_ON", config.RIDIMENSIONAMENTO_ON);
    read.integer("DIMENSIONE_INIZIALE", config.DIMENSIONE_INIZIALE);
    read.boolean("VIS_BANNER_FORZATA_ON", config.VIS_BANNER_FORZATA_ON);
    read.integer("VIS_BANNER_FORZATA_OGNI_QT_VOLTE", config.VIS_BANNER_FORZATA_OGNI_QT_VOLTE);

    if (config.DIMENSIONE_INIZIALE == 1) {
        config.bannerDefault = 0;
    } else if (config.DIMENSIONE_INIZIALE == 2) {
        config.bannerDefault = 1;
    } else {
        boxes.Errore(QStringLiteral("DIMENSIONE_INIZIALE non prevista (1=min 2=med 3=max)"));
        config.endRequested = true;
    }
    read.boolean("COLORI_PERSONALIZZATI_ON", config.COLORI_PERSONALIZZATI_ON);
    if (config.COLORI_PERSONALIZZATI_ON) {
        read.colour("COLORE_CIFRE", config.COLORE_CIFRE);
        read.colour("COLORE_SFONDO_DISPLAY", config.COLORE_SFONDO_DISPLAY);
        read.colour("COLORE_BARRA_ICONE", config.COLORE_BARRA_ICONE);
    }

    if (config.LOGO_INIZIALE_DISPLAY_ON) {
        config.logoPicture = resources.loadBitmap(QStringLiteral("LOGO"));
        if (config.logoPicture.isEmpty()) {
            boxes.Errore(QStringLiteral("Impossibile caricare la bitmap del Logo"));
            return PICTURE_FAILED;
        }
    }
    if (config.BANNER_PRESENTE_ON) {
        config.bannerPicture = resources.loadBitmap(QStringLiteral("BANNER"));
        if (config.bannerPicture.isEmpty()) {
            boxes.Errore(QStringLiteral("Impossibile caricare la bitmap del Banner"));
            return PICTURE_FAILED;
        }
    }
    return 1;
}
