// 0: indice du téléporteur (lu par le jeu)
"L'anneau bourdonne. Entrez-y et pressez {ATTACK} pour rejoindre une autre porte allumée. {MAP} en sort."

    // 1: commandes (panneau de l'Anneau des Lanternes)
    "{JUMP} saute et {ATTACK} manie la faux. Pressez {MAP} pour déplier votre carte."

    // 2: glace (Lac Gelé)
    "Revêtez le froid avec {ICE}, puis servez-vous-en pour geler l'eau à vos pieds."
    "Les fantômes ne se touchent qu'une fois saisis par le froid."

    // 3: forme d'araignée (après le mini-boss de la grotte)
    "Pressez {SPIDER} pour ramper là où un corps debout ne passe pas."

    // 4: arbalète (après le boss de la grotte)
    "L'arbalète ne répond que si une armure est portée. Tirez avec {SCYTE}."

    // 5: feu (après le boss du bateau)
    "Revêtez le feu avec {FIRE}. L'eau gelée fond partout où vous marchez."

    // 6: pas de côté (après le second boss du bateau)
    "{STRAFFL} et {STRAFFR} vous lancent par-dessus les fossés trop larges pour sauter."
