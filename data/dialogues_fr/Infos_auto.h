// 0: indice du teleporteur (lu par le jeu)
"L'anneau bourdonne. Tenez-vous dedans et pressez {ATTACK} pour rejoindre une autre porte allumee."

    // 1: commandes (panneau de l'Anneau des Lanternes)
    "{JUMP} saute et {ATTACK} manie la faux. Pressez {MAP} pour deplier votre carte."

    // 2: glace (Lac Gele)
    "Revetez le froid avec {ICE}, puis servez-vous-en pour geler l'eau a vos pieds."
    "Les fantomes ne se touchent qu'une fois saisis par le froid."

    // 3: forme d'araignee (apres le mini-boss de la grotte)
    "Pressez {SPIDER} pour ramper la ou un corps debout ne passe pas."

    // 4: arbalete (apres le boss de la grotte)
    "L'arbalete ne repond que si une armure est portee. Tirez avec {SCYTE}."

    // 5: feu (apres le boss du bateau)
    "Revetez le feu avec {FIRE}. L'eau gelee fond partout ou vous marchez."

    // 6: pas de cote (apres le second boss du bateau)
    "{STRAFFL} et {STRAFFR} vous lancent par-dessus les fosses trop larges pour sauter."
