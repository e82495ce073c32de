#pragma once

#include "app/config/BuildConfig.h"
#include "app/settings/UserSettings.h"

#include <utility>

// Every stored value of UserSettings by its registry name.
inline constexpr std::pair<const char*, qint32 UserSettings::*> INTEGER_SETTINGS[] = {
    {"qt_aperture_prog", &UserSettings::qt_aperture_prog},
    {"Stay_on_top", &UserSettings::Stay_on_top},
    {"Chiedi_conferma_esc", &UserSettings::Chiedi_conferma_esc},
    {"Chiedi_conferma_cancellazione", &UserSettings::Chiedi_conferma_cancellazione},
    {"Orario_predefinito_nuovi_promemoria", &UserSettings::Orario_predefinito_nuovi_promemoria},
    {"Incremento_orario_piu_meno", &UserSettings::Incremento_orario_piu_meno},
    {"Anticipo_per_memo_imminenti", &UserSettings::Anticipo_per_memo_imminenti},
    {"Preavviso_predefinito_memo", &UserSettings::Preavviso_predefinito_memo},
    {"Avvio_automatico", &UserSettings::Avvio_automatico},
    {"Suono_allarme_ripeturamente", &UserSettings::Suono_allarme_ripeturamente},
    {"Attivazione_nuovi_promemoria", &UserSettings::Attivazione_nuovi_promemoria},
    {"Height_pnlGen", &UserSettings::Height_pnlGen},
    {"Width_Appl", &UserSettings::Width_Appl},
    {"vis_banner", &UserSettings::vis_banner},
    {"Ultima_pos_Left", &UserSettings::Ultima_pos_Left},
    {"Ultima_pos_Top", &UserSettings::Ultima_pos_Top},
    {"Vis_mess_trayicon", &UserSettings::Vis_mess_trayicon},
};

inline constexpr std::pair<const char*, QString UserSettings::*> TEXT_SETTINGS[] = {
    {"Tipo_colorazione", &UserSettings::Tipo_colorazione},
    {"Lingua_attuale", &UserSettings::Lingua_attuale},
    {"Suono_Memo", &UserSettings::Suono_Memo},
    {"Suono_Sveglie", &UserSettings::Suono_Sveglie},
};

// A value by its registry name as text, positionKnown as 0 or 1.
inline QString settingText(const UserSettings& s, const QString& name)
{
    for (const auto& [field, member] : INTEGER_SETTINGS) {
        if (name == QLatin1String(field))
            return QString::number(s.*member);
    }
    for (const auto& [field, member] : TEXT_SETTINGS) {
        if (name == QLatin1String(field))
            return s.*member;
    }
    return name == QLatin1String("positionKnown") ? QString::number(s.positionKnown) : QStringLiteral("no such value");
}

// The build configuration the settings are read with: the shipped switches.
inline BuildConfig settingsConfig()
{
    BuildConfig config;
    config.NOME_PROGRAMMA = QStringLiteral("Brivo Reminder");
    config.LINGUA_DEFAULT = QStringLiteral("English (UK)");
    config.COLORAZIONE_DEFAULT = QStringLiteral("Reminder");
    config.UTILIZZA_ULTIMA_LINGUA_SALVATA_ON = true;
    config.UTILIZZA_TASTIERA_BANNER_SALVATI_ON = true;
    config.bannerDefault = 1;
    return config;
}
