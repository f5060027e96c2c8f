-- The reference lists every kind of establishment starts from: the articles and meal categories of a
-- primary-school canteen. Each kind's file (030_kind_N.sql) copies them into articles_organisme_N and
-- categories_organisme_N, then adds, removes or renames what differs for that kind; 090_drop_base.sql
-- drops these working tables once every kind has been made, so that they never reach a management file.
-- Unit prices in dinars, per kilogram unless the designation names another unit. An article keeps the
-- same code, designation and price in every kind that proposes it.

CREATE TABLE base_articles (
    CODE_ART    INTEGER PRIMARY KEY,
    DESIGNATION VARCHAR(50),
    PU          DOUBLE
);

INSERT INTO base_articles (CODE_ART, DESIGNATION, PU) VALUES
    -- Cereals, flours, pasta and bread
    (101, 'SEMOULE FINE', 50.00),
    (103, 'COUSCOUS', 130.00),
    (104, 'PATES ALIMENTAIRES', 120.00),
    (105, 'VERMICELLE', 130.00),
    (106, 'LANGUES D''OISEAU', 130.00),
    (107, 'FRIK', 280.00),
    (108, 'RIZ', 160.00),
    (109, 'FARINE', 60.00),
    (111, 'PAIN (UNITE)', 10.00),
    -- Pulses
    (201, 'LENTILLES', 260.00),
    (202, 'HARICOTS SECS', 300.00),
    (203, 'POIS CHICHES', 330.00),
    -- Fats and oils
    (301, 'HUILE DE TABLE (L)', 130.00),
    (302, 'BEURRE', 1600.00),
    (303, 'MARGARINE', 500.00),
    -- Sugar and sweet products
    (401, 'SUCRE', 90.00),
    (402, 'CONFITURE', 420.00),
    (404, 'CHOCOLAT', 1500.00),
    (408, 'BISCUITS', 450.00),
    (409, 'FLAN EN POUDRE (SACHET)', 40.00),
    -- Coffee, tea and drinks
    (503, 'JUS DE FRUITS (L)', 150.00),
    (504, 'EAU MINERALE (BOUTEILLE)', 35.00),
    -- Milk, dairy products and eggs
    (601, 'LAIT EN POUDRE (KG)', 1000.00),
    (602, 'LAIT UHT (L)', 130.00),
    (603, 'LAIT PASTEURISE EN SACHET (L)', 25.00),
    (604, 'LAIT CAILLE (L)', 70.00),
    (605, 'YAOURT (POT)', 25.00),
    (606, 'FROMAGE EN PORTIONS (BOITE DE 16)', 300.00),
    (607, 'CAMEMBERT (PIECE)', 250.00),
    (609, 'CREME DESSERT (POT)', 35.00),
    (611, 'OEUFS (UNITE)', 18.00),
    -- Meat and poultry
    (701, 'POULET', 380.00),
    (703, 'VIANDE OVINE', 2400.00),
    (705, 'VIANDE BOVINE HACHEE', 2000.00),
    -- Fish
    (801, 'SARDINES', 800.00),
    (802, 'THON EN BOITE', 1500.00),
    (804, 'FILET DE POISSON CONGELE', 900.00),
    -- Tins and condiments
    (901, 'TOMATE CONCENTREE', 360.00),
    (903, 'MAYONNAISE', 600.00),
    (905, 'VINAIGRE (L)', 80.00),
    (906, 'OLIVES', 700.00),
    (907, 'PETITS POIS EN CONSERVE', 300.00),
    -- Spices and seasonings
    (1001, 'SEL', 30.00),
    (1002, 'POIVRE NOIR', 2200.00),
    (1003, 'CUMIN', 1600.00),
    (1004, 'PAPRIKA', 1200.00),
    (1005, 'CANNELLE', 1800.00),
    (1007, 'CARVI', 1400.00),
    (1008, 'LAURIER', 900.00),
    (1009, 'PERSIL (BOTTE)', 30.00),
    (1010, 'CORIANDRE (BOTTE)', 30.00),
    -- Fresh vegetables
    (1101, 'POMME DE TERRE', 70.00),
    (1102, 'OIGNONS', 60.00),
    (1103, 'AIL', 600.00),
    (1104, 'CAROTTES', 80.00),
    (1105, 'COURGETTES', 100.00),
    (1106, 'NAVETS', 80.00),
    (1107, 'PIMENT', 200.00),
    (1108, 'POIVRONS', 180.00),
    (1109, 'TOMATES FRAICHES', 120.00),
    (1110, 'SALADE VERTE', 100.00),
    (1111, 'CHOU-FLEUR', 90.00),
    (1112, 'HARICOTS VERTS', 250.00),
    (1113, 'BETTERAVES', 80.00),
    (1115, 'CITROUILLE', 80.00),
    (1116, 'CITRONS', 300.00),
    -- Fresh and dried fruit
    (1201, 'ORANGES', 200.00),
    (1202, 'BANANES', 300.00),
    (1203, 'POMMES', 350.00),
    (1204, 'MANDARINES', 250.00),
    (1205, 'POIRES', 350.00),
    (1206, 'DATTES', 600.00);

-- Articles added by the establishments whose boarders or residents also take breakfast and dinner there
-- (middle school and lycée with boarding, university residence).
CREATE TABLE base_articles_internat (
    CODE_ART    INTEGER PRIMARY KEY,
    DESIGNATION VARCHAR(50),
    PU          DOUBLE
);

INSERT INTO base_articles_internat (CODE_ART, DESIGNATION, PU) VALUES
    (403, 'MIEL', 3500.00),
    (407, 'HALWA TURK', 900.00),
    (501, 'CAFE', 1400.00),
    (502, 'THE', 1400.00),
    (704, 'VIANDE BOVINE', 2200.00),
    (706, 'MERGUEZ', 1600.00),
    (902, 'HARISSA', 500.00),
    (1006, 'RAS EL HANOUT', 1600.00),
    (1011, 'MENTHE (BOTTE)', 30.00),
    (1114, 'AUBERGINES', 100.00);

-- Meal categories: every kind has the teachers, the workers, the staff at the shared table and the guests
-- (3, 5, 6, 7); categories 1 and 2 are the kind's own diners and 4 its supervising staff.
CREATE TABLE base_categories (
    code_categ INTEGER PRIMARY KEY,
    lib_fr     VARCHAR(50),
    lib_ar     VARCHAR(50)
);

INSERT INTO base_categories (code_categ, lib_fr, lib_ar) VALUES
    (1, 'Elèves du préscolaire', 'تلاميذ التربية التحضيرية'),
    (2, 'Elèves demi-pensionnaires', 'التلاميذ نصف الداخليين'),
    (3, 'Enseignants', 'الأساتذة'),
    (4, 'Adjoint d''éducation', 'مساعدو التربية'),
    (5, 'Ouvriers professionnels', 'العمال المهنيون'),
    (6, 'Personnel Hospitalisé (Table commune)', 'المستخدمون المستفيدون من المائدة المشتركة'),
    (7, 'Passagers / Invités', 'العابرون / الضيوف');
