// Builders for the controls that dialogs place at fixed pixel positions.
#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QRect>

// An editable combo box whose typed value is read as it stands and never becomes an item.
QComboBox* MakeCombo(QWidget* parent, const char* name, const QRect& geometry);
// A push button; caption is UTF-8.
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        const QRect& geometry);
